// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A player at the game: the running program, its window, and the moves a
// player makes, for the end-to-end tests and the soak.
#pragma once

#include "GameRun.h"
#include "GameView.h"
#include "XDesktop.h"

#include <QDir>
#include <QRect>

#include <optional>
#include <vector>

inline const QString shotsDir = QStringLiteral(TINTARIUM_SHOTS_DIR);

class Session {
public:
    // Starts the program and waits for its window; returns false if it
    // never appeared.
    bool startGame()
    {
        if (!run.start())
            return false;
        return XDesktop::waitUntil([&] { return findWindow(); }, 10s);
    }

    bool findWindow()
    {
        for (const QString& id : desk.windowsNamed("Tintarium")) {
            const auto geometry = desk.windowGeometry(id);
            if (geometry && geometry->size() == QSize(808, 601)) {
                window = id;
                origin = geometry->topLeft();
                return true;
            }
        }
        return false;
    }

    // A window named like the program that is not the 808 x 601 game window.
    std::optional<QString> errorBoxWindow()
    {
        for (const QString& id : desk.windowsNamed("Tintarium")) {
            const auto geometry = desk.windowGeometry(id);
            if (geometry && geometry->size() != QSize(808, 601))
                return id;
        }
        return std::nullopt;
    }

    std::optional<QRect> errorBox()
    {
        const auto id = errorBoxWindow();
        return id ? desk.windowGeometry(*id) : std::nullopt;
    }

    // Waits for an error box and answers it with Enter. Without a window
    // manager the box takes the keyboard only once Qt has activated it, and
    // an Enter sent before that, or after the box has closed, would press
    // the game window's focused button; so Enter goes only to a box that
    // has the keyboard, and again only if that box is still there.
    bool dismissErrorBox()
    {
        if (!XDesktop::waitUntil([&] { return errorBoxWindow().has_value(); }, 5s))
            return false;
        for (int attempt = 0; attempt < 5; ++attempt) {
            std::optional<QString> box;
            const bool ready = XDesktop::waitUntil(
                [&] {
                    box = errorBoxWindow();
                    return !box || desk.xdotool({ "getwindowfocus" }).trimmed() == *box;
                },
                5s);
            if (!ready)
                return false;
            if (box)
                desk.key("Return");
            // Gone at two looks in a row: one search of the busy X server
            // may miss a box that is still there.
            if (XDesktop::waitUntil([&] { return !errorBoxWindow().has_value(); }, 2s)) {
                XDesktop::waitUntil([] { return false; }, 100ms);
                if (!errorBoxWindow())
                    return true;
            }
        }
        return false;
    }

    GameView view() const { return GameView(desk.screenshot(), origin); }

    bool waitForScreen(Screen wanted, std::chrono::milliseconds timeout = 5s)
    {
        return XDesktop::waitUntil([&] { return view().screen() == wanted; }, timeout);
    }

    // The screen on top once it is one the view knows (Unknown after 5 s).
    Screen onTop() const
    {
        Screen s = Screen::Unknown;
        XDesktop::waitUntil(
            [&] {
                s = view().screen();
                return s != Screen::Unknown;
            },
            5s);
        return s;
    }

    void click(QPoint inWindow, int button = 1) { desk.click(inWindow + origin, button); }

    // Leaves the pointer where it changes no widget's look.
    void restPointer()
    {
        const QPoint at = layout::restingPlace + origin;
        desk.xdotool({ "mousemove", QString::number(at.x()), QString::number(at.y()) });
    }

    // Presses the key and returns which of the areas took the keyboard focus
    // from area `from`: the first other one whose look changes (a focus frame,
    // a selected text). -1 when none changes within two seconds: the focus
    // went where the player cannot see it. The screen is then given a moment
    // to finish painting, so that the next move starts from a settled look.
    int moveFocus(const QString& key, const std::vector<QRect>& areas, int from)
    {
        const GameView before = view();
        desk.key(key);
        int found = -1;
        XDesktop::waitUntil(
            [&] {
                const GameView now = view();
                for (int i = 0; i < int(areas.size()); ++i) {
                    if (i != from && now.region(areas[std::size_t(i)]) != before.region(areas[std::size_t(i)])) {
                        found = i;
                        return true;
                    }
                }
                return false;
            },
            2s);
        XDesktop::waitUntil([] { return false; }, 150ms);
        return found;
    }

    void saveShot(const QString& name, const QRect& area)
    {
        QDir().mkpath(shotsDir);
        desk.screenshot().copy(area).save(shotsDir + "/" + name + ".png");
    }
    void saveWindowShot(const QString& name) { saveShot(name, QRect(origin, QSize(808, 601))); }

    // From the start screen (or the setup screen) to a running game with the
    // given choices.
    bool startPlaying(const QString& name1, const QString& name2, int players, int difficulty)
    {
        if (view().screen() != Screen::Setup) {
            if (!waitForScreen(Screen::Start))
                return false;
            click(layout::startButton);
            if (!waitForScreen(Screen::Setup))
                return false;
        }
        setName(layout::name1Edit, name1);
        setName(layout::name2Edit, name2);
        click(playersItem(players - 1));
        click(difficultyItem(difficulty));
        click(layout::playButton);
        return waitForScreen(Screen::Game);
    }

    void setName(QPoint edit, const QString& name)
    {
        click(edit);
        desk.key("ctrl+a");
        desk.key("BackSpace");
        if (!name.isEmpty())
            desk.type(name);
    }

    // Radio items stand one under the other in the group's client area.
    static QPoint playersItem(int index) { return { 335, 348 + index * 35 }; }
    static QPoint difficultyItem(int index) { return { 590, 352 + index * 37 }; }

    // The first shown tile whose fill is exactly the target colour.
    static std::optional<int> tileOfTarget(const GameView& v)
    {
        const auto target = v.target();
        if (!target)
            return std::nullopt;
        for (int i = 0; i < 20; ++i)
            if (v.tile(i) == target)
                return i;
        return std::nullopt;
    }

    static std::optional<int> tileNotOfTarget(const GameView& v)
    {
        const auto target = v.target();
        for (int i = 0; i < 20; ++i)
            if (v.tile(i) && v.tile(i) != target)
                return i;
        return std::nullopt;
    }

    static QPoint tileCentre(int i) { return layout::insideTile(i); }

    XDesktop desk;
    GameRun run;
    QString window;
    QPoint origin;
};
