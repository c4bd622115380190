// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The real program as a player without a mouse and assistive technology meet
// it, on Xvfb with a private session bus that carries the accessibility bus:
// a game won with keys alone, the screens read over AT-SPI by name and role,
// and tiles shot through their AT-SPI action. What AT-SPI says is compared
// with what the screenshot shows: the tile under the keyboard cursor is the
// focused element, and its colour is read from the screen, as a sighted
// player sees it, since nothing exposed may tell it.
#include "AtspiClient.h"
#include "Session.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

// Words that would tell a tile's or the target's colour, or whether a tile
// has the target colour (the hidden reveal labels), in the game's languages.
const std::set<QString> verraeterisch {
    "piros",
    "kék",
    "zöld",
    "sárga",
    "lila",
    "narancs",
    "barna",
    "fekete",
    "fehér",
    "szürke",
    "rózsaszín",
    "türkiz",
    "rot",
    "blau",
    "grün",
    "gelb",
    "violett",
    "orange",
    "braun",
    "schwarz",
    "weiß",
    "grau",
    "rosa",
    "türkis", //
    "red",
    "blue",
    "green",
    "yellow",
    "purple",
    "violet",
    "brown",
    "black",
    "white",
    "grey",
    "gray",
    "pink",
    "cyan",
    "magenta",
    "rgb",
    "true",
    "false",
};

class Accessibility : public ::testing::Test, public Session {
protected:
    void SetUp() override { ASSERT_TRUE(desk.connected()) << "no X display"; }

    // Starts the program and its AT-SPI client, and gives the window the
    // keyboard as a window manager would.
    bool startReading()
    {
        if (!startGame())
            return false;
        reader = std::make_unique<AtspiClient>(run.pid());
        if (!reader->waitForProgram(10s))
            return false;
        desk.xdotool({ "windowfocus", window });
        restPointer();
        return waitForScreen(Screen::Start);
    }

    std::vector<Element> read()
    {
        auto tree = reader->tree();
        EXPECT_FALSE(tree.empty()) << reader->error().toStdString();
        return tree;
    }

    // The showing elements of the window whose role says nothing (a filler)
    // or that have no name. The inner parts of Qt's own text views (viewport,
    // scroll bar) are left out.
    static QStringList unnamed(const std::vector<Element>& tree)
    {
        QStringList faults;
        std::vector<const Element*> textViews;
        for (const Element& e : tree) {
            if (!e.showing || e.path.empty())
                continue;
            const bool inside = std::any_of(
                textViews.begin(), textViews.end(), [&](const Element* view) { return view->contains(e); });
            if (inside)
                continue;
            if (e.role == "text")
                textViews.push_back(&e);
            if (e.name.isEmpty() || e.role == "filler" || e.role == "unknown")
                faults << QString("%1 '%2' at %3,%4").arg(e.role, e.name).arg(e.extents.x()).arg(e.extents.y());
        }
        return faults;
    }

    // Elements, shown or not, whose name or description tells a colour.
    static QStringList telling(const std::vector<Element>& tree)
    {
        QStringList faults;
        static const QRegularExpression nonLetters(QStringLiteral("[^\\w]+"));
        for (const Element& e : tree)
            for (const QString& word : (e.name + ' ' + e.description).toLower().split(nonLetters, Qt::SkipEmptyParts))
                if (verraeterisch.count(word) || word.startsWith('#'))
                    faults << e.role + " '" + e.name + "' / '" + e.description + "'";
        return faults;
    }

    // Whether an announcement of that kind came from an element of that role
    // whose name starts so.
    static bool heard(
        const std::vector<Announcement>& heard, const QString& type, const QString& role, const QString& name)
    {
        return std::any_of(heard.begin(), heard.end(),
            [&](const Announcement& a) { return a.type == type && a.role == role && a.name.startsWith(name); });
    }

    static const Element* find(const std::vector<Element>& tree, const QString& role, const QString& name)
    {
        for (const Element& e : tree)
            if (e.showing && e.role == role && e.name == name)
                return &e;
        return nullptr;
    }

    // The tiles: the buttons in the field, by their place.
    std::map<int, Element> tiles(const std::vector<Element>& tree) const
    {
        std::map<int, Element> found;
        const Element* field = nullptr;
        for (const Element& e : tree)
            if (e.role == "panel" && e.name == QString::fromUtf8("Játéktér"))
                field = &e;
        if (!field)
            return found;
        for (const Element& e : tree)
            if (e.path.size() == field->path.size() + 1 && field->contains(e) && e.role == "push button")
                found[tileAt(e.extents)] = e;
        return found;
    }

    // The index of the tile whose cell the area is, or -1.
    int tileAt(const QRect& area) const
    {
        for (int i = 0; i < 20; ++i)
            if (area == QRect(origin + layout::tileCell(i), QSize(75, 75)))
                return i;
        return -1;
    }

    // The tile that AT-SPI says has the focus, or -1.
    int focusedTile()
    {
        const auto focused = reader->focused();
        return focused && focused->role == "push button" ? tileAt(focused->extents) : -1;
    }

    static std::vector<std::optional<QRgb>> field(const GameView& v)
    {
        std::vector<std::optional<QRgb>> shown;
        for (int i = 0; i < 20; ++i)
            shown.push_back(v.tile(i));
        return shown;
    }

    std::unique_ptr<AtspiClient> reader;
};

TEST_F(Accessibility, ScreensReadByNameAndRoleAndAGameWonWithKeysAlone)
{
    run.leaveOut("Tintarium.rtf");
    ASSERT_TRUE(startReading()) << reader->error().toStdString();

    auto tree = read();
    EXPECT_EQ(unnamed(tree), QStringList()) << "start screen";
    EXPECT_TRUE(find(tree, "push button", "Start"));

    // Enter on the start screen; on the setup screen the first name field
    // has the focus and takes a name.
    desk.key("Return");
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    desk.key("ctrl+a");
    desk.type("Anna");
    tree = read();
    EXPECT_EQ(unnamed(tree), QStringList()) << "setup screen";
    // The fields are named by their labels, not by what they hold.
    for (const char* name : { "1.játékos", "2.játékos" }) {
        EXPECT_TRUE(find(tree, "text", QString::fromUtf8(name))) << name;
        EXPECT_TRUE(find(tree, "label", QString::fromUtf8(name))) << name;
    }
    for (const char* title : { "Játékosok száma:", "Nehézségi fok:", "Adja meg a játékos nevét!" }) {
        EXPECT_TRUE(find(tree, "panel", QString::fromUtf8(title))) << title;
        EXPECT_TRUE(find(tree, "label", QString::fromUtf8(title))) << title;
    }
    for (const char* item : { "1 játékos", "2 játékos", "Nagyon könnyű", "Nagyon nehéz" })
        EXPECT_TRUE(find(tree, "radio button", QString::fromUtf8(item))) << item;
    for (const char* button : { "Vége", "Játék", "Útmutató" })
        EXPECT_TRUE(find(tree, "push button", QString::fromUtf8(button))) << button;

    // The error box's message is read; the box is answered with Enter.
    ASSERT_TRUE(reader->act(QString::fromUtf8("Útmutató"), "Press")) << reader->error().toStdString();
    bool boxRead = false;
    XDesktop::waitUntil(
        [&] {
            for (const Element& e : reader->tree())
                boxRead = boxRead
                    || (e.showing && e.role == "label"
                        && e.name == QString::fromUtf8("Datei Tintarium.rtf kann nicht geöffnet werden."));
            return boxRead;
        },
        5s, 200ms);
    EXPECT_TRUE(boxRead) << "the error box's message";
    ASSERT_TRUE(dismissErrorBox());
    desk.xdotool({ "windowfocus", window });

    // Enter in the name field plays.
    desk.key("Return");
    ASSERT_TRUE(waitForScreen(Screen::Game));
    ASSERT_TRUE(XDesktop::waitUntil([&] { return view().shownTiles() == 5; }, 3s));
    tree = read();
    EXPECT_EQ(unnamed(tree), QStringList()) << "game screen";
    EXPECT_EQ(telling(tree), QStringList()) << "game screen";
    // Twenty tiles, buttons named by their place with the press action, each
    // taking its whole cell: the area tells no size.
    const auto first = tiles(tree);
    ASSERT_EQ(first.size(), 20u);
    int shown = 0;
    for (const auto& [i, tile] : first) {
        ASSERT_GE(i, 0) << tile.name.toStdString() << " not at a cell";
        EXPECT_EQ(tile.role, "push button");
        EXPECT_EQ(tile.name, QString::fromUtf8("Kártya, %1. sor, %2. oszlop").arg(i / 5 + 1).arg(i % 5 + 1));
        EXPECT_EQ(tile.actions, QStringList { "Press" });
        EXPECT_EQ(tile.showing, view().tile(i).has_value()) << i;
        shown += tile.showing;
    }
    EXPECT_EQ(shown, 5);
    const Element* target = find(tree, "panel", QString::fromUtf8("Célszín"));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->description, QString::fromUtf8("látható"));
    const Element* clock = find(tree, "panel", QString::fromUtf8("Hátralévő idő"));
    ASSERT_TRUE(clock && clock->value);
    EXPECT_GE(*clock->value, 1);
    const Element* board = find(tree, "panel", "Anna");
    ASSERT_TRUE(board && board->value);
    EXPECT_EQ(*board->value, 0);
    // Before any arrow key the cursor is not drawn: "Tovább" has the focus.
    EXPECT_EQ(focusedTile(), -1);
    // A clock segment runs out (the change is heard below).
    EXPECT_TRUE(XDesktop::waitUntil([&] { return !view().segmentShown(0); }, 5s));

    // The game, by keys: Right walks the shown tiles until AT-SPI says the
    // cursor is on the tile that the screenshot shows in the target colour;
    // space shoots it; Enter skips a turn that shows no such tile.
    bool won = false;
    for (int step = 0; step < 150 && !won; ++step) {
        const Screen top = onTop();
        if (top == Screen::Winner) {
            won = true;
            break;
        }
        ASSERT_EQ(top, Screen::Game) << "step " << step;
        const GameView v = view();
        const auto wanted = tileOfTarget(v);
        if (!wanted) {
            desk.key("Return");
            XDesktop::waitUntil([&] { return field(view()) != field(v); }, 3s);
            continue;
        }
        int at = focusedTile();
        for (int moves = 0; moves < 12 && at != *wanted; ++moves) {
            desk.key("Right");
            XDesktop::waitUntil(
                [&] {
                    const int now = focusedTile();
                    const bool moved = now != at;
                    at = now;
                    return moved;
                },
                2s, 20ms);
        }
        if (at != *wanted)
            continue; // the clock dealt anew meanwhile
        const int before = v.marks(0);
        desk.key("space");
        XDesktop::waitUntil(
            [&] {
                const GameView after = view();
                return after.screen() != Screen::Game || after.marks(0) > before || field(after) != field(v);
            },
            3s);
    }
    ASSERT_TRUE(won) << "no win by keys within 150 steps";

    // What a screen reader heard as it went: the tile under the cursor came
    // into focus, the board's hits and the clock's segments changed.
    const auto announced = reader->announcements();
    EXPECT_TRUE(heard(announced, "focus:", "push button", QString::fromUtf8("Kártya, ")));
    EXPECT_TRUE(heard(announced, "object:property-change:accessible-value", "panel", "Anna"));
    EXPECT_TRUE(
        heard(announced, "object:property-change:accessible-value", "panel", QString::fromUtf8("Hátralévő idő")));

    // The winner screen reads its message; the tiles behind it are named and
    // placed as at the start of the game, whatever was dealt since.
    tree = read();
    EXPECT_EQ(unnamed(tree), QStringList()) << "winner screen";
    EXPECT_EQ(telling(tree), QStringList()) << "after the game";
    EXPECT_TRUE(find(tree, "panel", QString::fromUtf8("Gratulálunk! Anna Ön megnyerte a játékot!")));
    EXPECT_TRUE(find(tree, "label", "Anna"));
    const auto last = tiles(tree);
    ASSERT_EQ(last.size(), first.size());
    for (const auto& [i, tile] : first) {
        EXPECT_EQ(last.at(i).name, tile.name);
        EXPECT_EQ(last.at(i).extents, tile.extents);
        EXPECT_EQ(last.at(i).description, tile.description);
    }
    // The winner screen's button has the focus; space closes it.
    desk.key("space");
    EXPECT_TRUE(waitForScreen(Screen::Setup));
}

TEST_F(Accessibility, TilesShotThroughTheirActionAndTheNextPlayerRead)
{
    ASSERT_TRUE(startReading()) << reader->error().toStdString();
    ASSERT_TRUE(startPlaying("Anna", "Bela", 2, 0));

    // A hit through the action: the mark and the board's value follow, as
    // after a mouse press. The clock may pass the turn at any moment, so the
    // field and the player are read anew each time.
    bool hit = false;
    for (int attempt = 0; attempt < 20 && !hit; ++attempt) {
        if (onTop() == Screen::NextPlayer) {
            desk.key("Return");
            waitForScreen(Screen::Game);
            continue;
        }
        const GameView v = view();
        const auto wanted = tileOfTarget(v);
        if (!wanted) {
            click(layout::skipButton);
            XDesktop::waitUntil([&] { return view().screen() != Screen::Game || field(view()) != field(v); }, 3s);
            continue;
        }
        const int player = v.titleHighlighted(0) ? 0 : 1;
        const QRgb colour = *v.tile(*wanted);
        const auto named = tiles(read());
        ASSERT_TRUE(named.count(*wanted));
        ASSERT_TRUE(reader->act(named.at(*wanted).name, "Press")) << reader->error().toStdString();
        hit = XDesktop::waitUntil([&] { return view().mark(player, 0) == colour; }, 3s);
        if (hit) {
            const auto tree = read();
            const Element* board = find(tree, "panel", player == 0 ? "Anna" : "Bela");
            ASSERT_TRUE(board && board->value);
            EXPECT_EQ(*board->value, 1);
        }
    }
    ASSERT_TRUE(hit) << "no hit through the press action";

    // A miss through the action passes the turn: the next-player screen
    // comes, and reads its message.
    bool read_ = false;
    for (int attempt = 0; attempt < 20 && !read_; ++attempt) {
        if (onTop() == Screen::NextPlayer) {
            desk.key("Return");
            waitForScreen(Screen::Game);
        }
        const auto wrong = tileNotOfTarget(view());
        if (!wrong)
            continue;
        const auto named = tiles(read());
        ASSERT_TRUE(reader->act(named.at(*wrong).name, "Press")) << reader->error().toStdString();
        if (!waitForScreen(Screen::NextPlayer, 3s))
            continue;
        const auto tree = read();
        EXPECT_EQ(unnamed(tree), QStringList()) << "next-player screen";
        read_ = find(tree, "label", "Anna ist an der Reihe") || find(tree, "label", "Bela ist an der Reihe");
    }
    EXPECT_TRUE(read_) << "the next-player message";
    // Its new text was announced.
    const auto announced = reader->announcements();
    EXPECT_TRUE(heard(announced, "object:property-change:accessible-name", "label", "Bela ist an der Reihe"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
