// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole game in a real window on Xvfb, driven from outside with real
// pointer and keyboard input and read back from screenshots, as a player
// meets it. Sound goes to a PulseAudio null sink whose monitor is recorded.
#include "Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRect>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

namespace {

class EndToEnd : public ::testing::Test, public Session {
protected:
    void SetUp() override { ASSERT_TRUE(desk.connected()) << "no X display"; }
};

TEST_F(EndToEnd, StartScreenSetupScreenNamesInstructionsAndSound)
{
    ASSERT_TRUE(startGame());
    EXPECT_EQ(origin, QPoint(108, 83));
    ASSERT_TRUE(waitForScreen(Screen::Start));
    saveWindowShot("start");

    click(layout::startButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));

    // Twenty-one letters typed: the field keeps twenty, so it looks exactly as
    // after typing the first twenty, and unlike after nineteen.
    const QRect edit(layout::name1Edit - QPoint(62, 10), QSize(126, 20));
    setName(layout::name1Edit, "ABCDEFGHIJKLMNOPQRSTU");
    desk.key("End");
    const QImage after21 = view().region(edit);
    setName(layout::name1Edit, "ABCDEFGHIJKLMNOPQRST");
    desk.key("End");
    const QImage after20 = view().region(edit);
    setName(layout::name1Edit, "ABCDEFGHIJKLMNOPQRS");
    desk.key("End");
    const QImage after19 = view().region(edit);
    EXPECT_EQ(after21, after20);
    EXPECT_NE(after20, after19);
    setName(layout::name1Edit, "Anna");
    saveWindowShot("setup");

    // The instructions open with their title strip and credits line, and close.
    const QPoint instructionsTitle { 280, 318 };
    const QPoint creditsLine { 700, 540 };
    EXPECT_NE(view().pixel(instructionsTitle), layout::titleBlue);
    click(layout::instructionsButton);
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().pixel(instructionsTitle) == layout::titleBlue; }, 3s));
    EXPECT_EQ(view().pixel(creditsLine), layout::titleBlue);
    saveWindowShot("instructions");
    click(layout::instructionsButton);
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().pixel(instructionsTitle) != layout::titleBlue; }, 3s));
    EXPECT_NE(view().pixel(creditsLine), layout::titleBlue);

    // The sound button names what a click would do; two clicks restore it.
    // (The caption only: the focus frame moves to the button it clicks.)
    const QRect soundButton(layout::soundButton - QPoint(25, 6), QSize(50, 12));
    desk.xdotool({ "mousemove", QString::number(origin.x() + layout::soundButton.x()),
        QString::number(origin.y() + layout::soundButton.y()) });
    XDesktop::waitUntil([] { return false; }, 300ms); // let the hover look settle
    const QImage before = view().region(soundButton);
    click(layout::soundButton);
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().region(soundButton) != before; }, 3s));
    click(layout::soundButton);
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().region(soundButton) == before; }, 3s));

    // "Vége" ends the program at once, with status 0.
    click(layout::quitButton);
    EXPECT_EQ(run.waitForExit(5s), 0);
}

// Where a player sees the window and the error box: the window's place as
// the X server has it, centred on the whole desktop by integer division
// toward zero (1024 x 768 gives 108, 83; 800 x 600 gives -4, 0), and the
// error box centred on the window. Runs at more than one desktop size.
TEST_F(EndToEnd, WindowAndErrorBoxAreCentred)
{
    run.leaveOut("Tintarium.rtf");
    ASSERT_TRUE(startGame());
    const QSize desktop = desk.size();
    const QRect window = *desk.windowGeometry(this->window);
    EXPECT_EQ(window, QRect((desktop.width() - 808) / 2, (desktop.height() - 601) / 2, 808, 601))
        << "desktop " << desktop.width() << " x " << desktop.height();

    ASSERT_TRUE(waitForScreen(Screen::Start));
    click(layout::startButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    click(layout::instructionsButton);
    std::optional<QRect> box;
    ASSERT_TRUE(XDesktop::waitUntil([&] { return (box = errorBox()).has_value(); }, 5s));
    // Centred to the pixel: twice the margin on the left equals the width
    // left over, up to the halving of an odd one.
    const QPoint offset = (box->topLeft() - window.topLeft()) * 2 + QPoint(box->width(), box->height())
        - QPoint(window.width(), window.height());
    EXPECT_LE(std::abs(offset.x()), 1) << "box at " << box->x() << ", width " << box->width();
    EXPECT_LE(std::abs(offset.y()), 1) << "box at " << box->y() << ", height " << box->height();
    EXPECT_TRUE(dismissErrorBox());
    click(layout::quitButton);
    EXPECT_EQ(run.waitForExit(5s), 0);
}

// Keys reach the screen on top alone. Each screen's Tab cycle is its own
// focus order, read from the focus frames on the screen; keys typed during
// a game change nothing on the screens it covers; the focus comes back where
// it was when a screen is uncovered. (The sound button takes part: the suite
// runs with a sound server.)
TEST_F(EndToEnd, KeysReachOnlyTheScreenOnTop)
{
    ASSERT_TRUE(startGame());
    ASSERT_TRUE(waitForScreen(Screen::Start));
    // The keyboard focus goes to the new window, as a window manager gives
    // it; without one, keys follow the pointer and Qt draws no focus.
    desk.xdotool({ "windowfocus", window });
    restPointer();
    XDesktop::waitUntil([] { return false; }, 300ms);
    // The start screen's one button keeps the focus; space presses it.
    desk.key("Tab");
    desk.key("shift+Tab");
    desk.key("space");
    ASSERT_TRUE(waitForScreen(Screen::Setup));

    using namespace layout;
    const std::vector<QRect> setup { name1Area, name2Area, difficultyArea, quitArea, playArea, playersArea,
        instructionsArea, soundArea };
    // Shown anew, the setup screen has the focus in its first name.
    restPointer();
    XDesktop::waitUntil([] { return false; }, 300ms);
    std::vector<int> forward, backward;
    int at = 0;
    for (int i = 0; i < 8; ++i)
        forward.push_back(at = moveFocus("Tab", setup, at));
    EXPECT_EQ(forward, std::vector<int>({ 1, 2, 3, 4, 5, 6, 7, 0 })) << "Tab on the setup screen";
    for (int i = 0; i < 8; ++i)
        backward.push_back(at = moveFocus("shift+Tab", setup, at));
    EXPECT_EQ(backward, std::vector<int>({ 7, 6, 5, 4, 3, 2, 1, 0 })) << "Backtab on the setup screen";

    // From "Játék" with the focus on it, Enter plays; its look is kept to
    // compare the setup screen with after the game.
    for (int i = 0; i < 4; ++i)
        at = moveFocus("Tab", setup, at);
    ASSERT_EQ(at, 4);
    const QImage choices = view().region(setupChoices);
    desk.key("Return");
    ASSERT_TRUE(waitForScreen(Screen::Game));

    // The game screen's cycle is "Tovább", "Vissza".
    const std::vector<QRect> game { skipArea, backArea };
    at = 0;
    std::vector<int> gameWalk;
    for (const char* key : { "Tab", "Tab", "shift+Tab", "shift+Tab" })
        gameWalk.push_back(at = moveFocus(key, game, at));
    EXPECT_EQ(gameWalk, std::vector<int>({ 1, 0, 1, 0 })) << "Tab and Backtab on the game screen";

    // Tab, letters, Escape and Enter through the game: Enter and space on
    // "Tovább" skip a turn, letters and Escape on "Vissza" do nothing.
    for (int round = 0; round < 3; ++round) {
        desk.key("Tab");
        desk.type("ab");
        desk.key("Escape");
        desk.key("Tab");
        desk.key(round % 2 ? "space" : "Return");
        XDesktop::waitUntil([] { return false; }, 300ms);
        ASSERT_TRUE(run.running()) << "round " << round;
        ASSERT_EQ(view().screen(), Screen::Game) << "round " << round;
    }
    click(backButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    restPointer();
    // The setup screen as it was left, with the focus back on "Játék".
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().region(setupChoices) == choices; }, 3s))
        << "the setup screen changed during the game";

    // Two players: the next-player screen over the game keeps the focus on
    // its one button.
    click(playersItem(1));
    click(playButton);
    ASSERT_TRUE(waitForScreen(Screen::Game));
    ASSERT_TRUE(XDesktop::waitUntil([&] { return tileNotOfTarget(view()).has_value(); }, 3s));
    click(tileCentre(*tileNotOfTarget(view())));
    ASSERT_TRUE(waitForScreen(Screen::NextPlayer));
    restPointer();
    desk.key("Tab");
    desk.key("Tab");
    desk.key("space");
    EXPECT_TRUE(waitForScreen(Screen::Game, 2s)) << "space after Tab did not close the next-player screen";
    ASSERT_TRUE(run.running());
    // A turn that ran out meanwhile leaves the next-player screen beneath.
    click(backButton);
    ASSERT_TRUE(XDesktop::waitUntil([&] { return view().screen() != Screen::Game; }, 3s));
    if (view().screen() == Screen::NextPlayer)
        click(nextPlayerOk);
    ASSERT_TRUE(waitForScreen(Screen::Setup));

    // "Vége" reached by the keyboard ends the program.
    click(name1Edit + QPoint(50, 0));
    restPointer();
    for (int i = 0; i < 3; ++i)
        desk.key("Tab");
    desk.key("space");
    EXPECT_EQ(run.waitForExit(5s), 0);
}

TEST_F(EndToEnd, TwoPlayersPlayToAWin)
{
    ASSERT_TRUE(startGame());
    ASSERT_TRUE(startPlaying("Anna", "Bela", 2, 0));
    saveWindowShot("game");

    // The field is painted just after the screen comes up.
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().shownTiles() == 5; }, 3s));
    GameView first = view();
    EXPECT_TRUE(first.target().has_value());
    EXPECT_EQ(first.targetShape(), TargetShape::Circle);
    EXPECT_TRUE(first.titleHighlighted(0));
    EXPECT_FALSE(first.titleHighlighted(1));

    // A miss passes the turn: the next-player screen names the second player.
    const QRect nameArea(257, 258, 517, 30);
    std::map<int, QImage> nameShown;
    const auto wrong = tileNotOfTarget(first);
    ASSERT_TRUE(wrong.has_value());
    click(tileCentre(*wrong));
    ASSERT_TRUE(waitForScreen(Screen::NextPlayer));
    saveWindowShot("next-player");
    nameShown[1] = view().region(nameArea);
    click(layout::nextPlayerOk);
    ASSERT_TRUE(waitForScreen(Screen::Game));
    EXPECT_TRUE(view().titleHighlighted(1));
    EXPECT_FALSE(view().titleHighlighted(0));

    // Play on: hit the target tile when one shows, skip otherwise, until a
    // player has sixteen hits. The clock may pass the turn at any moment, so
    // the hits and the player are read from the screen each time.
    int current = 1;
    bool heard = false;
    const TargetShape levels[] = { TargetShape::Circle, TargetShape::Ellipse, TargetShape::Rectangle,
        TargetShape::RoundRect, TargetShape::Square };
    bool won = false;
    for (int step = 0; step < 300 && !won; ++step) {
        const Screen top = onTop();
        if (top == Screen::Winner) {
            won = true;
            break;
        }
        if (top == Screen::NextPlayer) {
            current = 1 - current;
            const QImage shown = view().region(nameArea);
            if (nameShown.count(current)) {
                EXPECT_EQ(shown, nameShown[current]) << "the next-player screen names the wrong player";
            } else if (nameShown.count(1 - current)) {
                EXPECT_NE(shown, nameShown[1 - current]);
            }
            nameShown[current] = shown;
            click(layout::nextPlayerOk);
            XDesktop::waitUntil([&] { return view().screen() != Screen::NextPlayer; }, 3s);
            continue;
        }
        ASSERT_EQ(top, Screen::Game);
        const GameView v = view();
        EXPECT_TRUE(v.titleHighlighted(current));
        const int before = v.marks(current);
        const auto tile = tileOfTarget(v);
        if (!tile) {
            desk.key("Return"); // Enter skips like "Tovább"
            XDesktop::waitUntil([&] { return view().screen() == Screen::NextPlayer; }, 3s);
            continue;
        }
        const QRgb colour = *v.tile(*tile);
        std::unique_ptr<SinkRecorder> recorder;
        if (!heard)
            recorder = std::make_unique<SinkRecorder>();
        click(tileCentre(*tile));
        bool counted = false;
        XDesktop::waitUntil(
            [&] {
                const GameView after = view();
                counted = after.screen() == Screen::Winner || after.marks(current) > before;
                return counted || after.screen() == Screen::NextPlayer;
            },
            3s);
        if (!counted || view().screen() != Screen::Game)
            continue; // the clock passed the turn first, or the game is won
        const GameView after = view();
        EXPECT_EQ(after.mark(current, before), colour) << "mark " << before << " of player " << current;
        if (recorder) {
            heard = XDesktop::waitUntil([&] { return recorder->peak() > 1000; }, 2s);
            EXPECT_TRUE(heard) << "the hit cue was not heard";
        }
        const int total = after.marks(0) + after.marks(1);
        if (total % 5 == 0) {
            const TargetShape expected = levels[std::min(total / 5, 4)];
            EXPECT_TRUE(XDesktop::waitUntil([&] { return view().targetShape() == expected; }, 2s))
                << "level shape after " << total << " hits";
        }
    }
    ASSERT_TRUE(won);
    // The winner's name stands in red in the grey box.
    const QImage name = view().region(QRect(179, 388, 394, 40));
    int red = 0;
    for (int y = 0; y < name.height(); ++y)
        for (int x = 0; x < name.width(); ++x)
            red += (name.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_GT(red, 30) << "no name on the winner screen";
    saveWindowShot("winner");
    // The winner screen's one button keeps the focus through Tab and Backtab,
    // and space presses it. (A turn that runs out behind the winner screen
    // may raise the next-player screen over it first; space closes that.)
    restPointer();
    for (int attempt = 0; attempt < 3 && view().screen() != Screen::Setup; ++attempt) {
        desk.key("Tab");
        desk.key("shift+Tab");
        desk.key("space");
        XDesktop::waitUntil([&] { return view().screen() == Screen::Setup; }, 2s);
    }
    EXPECT_EQ(view().screen(), Screen::Setup);
}

TEST_F(EndToEnd, ClockSegmentsExpireAndTheTargetHidesAtHardLevels)
{
    ASSERT_TRUE(startGame());
    ASSERT_TRUE(startPlaying("Solo", "", 1, 2));
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().shownTiles() == 7; }, 3s));
    GameView start = view();
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(start.segmentShown(i)) << i;
    ASSERT_TRUE(start.target().has_value());

    // The segments disappear one by one, in order; the target goes with the first.
    int expired = 0;
    bool targetGoneAfterFirst = false;
    XDesktop::waitUntil(
        [&] {
            const GameView v = view();
            int gone = 0;
            while (gone < 6 && !v.segmentShown(gone))
                ++gone;
            for (int i = gone; i < 6; ++i)
                EXPECT_TRUE(v.segmentShown(i)) << "segment " << i << " shown after an earlier one went";
            if (gone >= 1 && gone < 3)
                targetGoneAfterFirst = targetGoneAfterFirst || !v.target().has_value();
            expired = std::max(expired, gone);
            return expired >= 3;
        },
        20s, 100ms);
    EXPECT_GE(expired, 3);
    EXPECT_TRUE(targetGoneAfterFirst);

    // "Tovább" ends the turn at once: a full clock again and the target back.
    click(layout::skipButton);
    EXPECT_TRUE(XDesktop::waitUntil(
        [&] {
            const GameView v = view();
            return v.segmentShown(0) && v.segmentShown(5) && v.target().has_value();
        },
        3s));
    // "Vissza" leaves the game for the setup screen.
    click(layout::backButton);
    EXPECT_TRUE(waitForScreen(Screen::Setup));
}

// Start-up with a clip or a bitmap missing or spoiled: the error box, then
// the program ends with status 0 after OK, without showing a screen.
TEST_F(EndToEnd, StartupFailsCleanlyOnEachClockFile)
{
    const std::pair<QString, QByteArray> cases[] = {
        { "TintariumUhr.avi", {} },
        { "TintariumUhr.avi",
            QByteArray("RIFF\x10\x00\x00\x00"
                       "AVI LIST",
                16) },
        { "TintariumUhr.bmp", {} },
        { "TintariumUhr.bmp", QByteArray("BM not really a bitmap") },
    };
    bool saved = false;
    for (const auto& [file, content] : cases) {
        GameRun broken;
        if (content.isEmpty())
            broken.leaveOut(file);
        else
            broken.overwrite(file, content);
        ASSERT_TRUE(broken.start());
        std::optional<QRect> box;
        ASSERT_TRUE(XDesktop::waitUntil([&] { return (box = errorBox()).has_value(); }, 10s)) << file.toStdString();
        if (!saved) {
            saveShot("error-box", *box);
            saved = true;
        }
        EXPECT_FALSE(findWindow()) << "a screen was shown";
        EXPECT_TRUE(dismissErrorBox());
        EXPECT_EQ(broken.waitForExit(5s), 0) << file.toStdString();
    }
}

// Files read later: a missing or spoiled instructions file or cue shows the
// error box once the event has been handled, and the game goes on as if the
// cue had played; a cue file is read anew at every cue. The spoiled hit cue
// is one on which libsndfile spins for minutes.
TEST_F(EndToEnd, MissingFilesAreReportedAndTheGameGoesOn)
{
    run.leaveOut("Tintarium.rtf");
    QFile spoiled(QStringLiteral(TINTARIUM_SOURCE_DIR "/fuzz/corpus/mediaplayer/cue-list-chunk-hang.wav"));
    ASSERT_TRUE(spoiled.open(QIODevice::ReadOnly));
    run.overwrite("TintariumRichtig.wav", spoiled.readAll());
    run.leaveOut("TintariumFalsch.wav");
    run.leaveOut("TintariumGewonnen.wav");
    ASSERT_TRUE(startGame());
    const auto dismissBox = [&] { return dismissErrorBox(); };

    ASSERT_TRUE(waitForScreen(Screen::Start));
    click(layout::startButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    click(layout::instructionsButton);
    EXPECT_TRUE(dismissBox()) << "missing instructions";
    click(layout::instructionsButton);

    click(layout::playButton);
    ASSERT_TRUE(waitForScreen(Screen::Game));
    ASSERT_TRUE(XDesktop::waitUntil([&] { return view().shownTiles() == 5; }, 3s));

    // A miss with its cue missing: reported, and the turn still passes (one
    // player: a new field for the same player).
    const GameView before = view();
    const auto wrong = tileNotOfTarget(before);
    ASSERT_TRUE(wrong.has_value());
    const auto field = [](const GameView& v) {
        std::vector<std::optional<QRgb>> tiles;
        for (int i = 0; i < 20; ++i)
            tiles.push_back(v.tile(i));
        return tiles;
    };
    click(tileCentre(*wrong));
    EXPECT_TRUE(dismissBox()) << "missing miss cue";
    EXPECT_TRUE(XDesktop::waitUntil(
        [&] {
            const GameView after = view();
            return after.shownTiles() == 5 && field(after) != field(before);
        },
        3s))
        << "no new field after the miss";

    // Hits: the spoiled hit cue is reported after the first; then the good
    // file is put back and the next hits go through without a box.
    bool repaired = false;
    for (int step = 0; step < 300; ++step) {
        ASSERT_TRUE(waitForScreen(Screen::Game)) << "step " << step;
        const GameView v = view();
        const int hits = v.marks(0);
        const auto tile = tileOfTarget(v);
        if (!tile) {
            click(layout::skipButton);
            XDesktop::waitUntil([&] { return view().target() != v.target(); }, 1s);
            continue;
        }
        const QRgb colour = *v.tile(*tile);
        click(tileCentre(*tile));
        if (hits == 15) {
            // The sixteenth hit: the winner screen comes silently, the box
            // for its missing cue only once it has been closed.
            ASSERT_TRUE(waitForScreen(Screen::Winner));
            EXPECT_FALSE(errorBox().has_value());
            click(layout::winnerOk);
            EXPECT_TRUE(dismissBox()) << "missing winner cue";
            EXPECT_TRUE(waitForScreen(Screen::Setup));
            EXPECT_TRUE(run.running());
            return;
        }
        if (!repaired) {
            EXPECT_TRUE(dismissBox()) << "spoiled hit cue";
            QFile::remove(run.folder() + "/TintariumRichtig.wav");
            QFile::copy(
                QStringLiteral(TINTARIUM_MEDIA_DIR "/TintariumRichtig.wav"), run.folder() + "/TintariumRichtig.wav");
            repaired = true;
        }
        // The hit counted and the game went on.
        EXPECT_TRUE(XDesktop::waitUntil([&] { return view().mark(0, hits) == colour; }, 3s)) << "hit " << hits;
        EXPECT_FALSE(errorBox().has_value());
    }
    FAIL() << "no win within 300 steps";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
