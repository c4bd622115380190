// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays whole one-player games of the real program on the current X display
// (hitting the target tile whenever one shows, skipping otherwise) and
// prints the program's peak and current resident memory after each game:
//   play_games [GAMES]     prints "game=<n> hwm_kb=<k> rss_kb=<k>" per game
// Used by scripts/bench.sh; the program is ended by its id at the end.
#include "Session.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

long statusKb(qint64 pid, const char* field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

// One game from the setup screen to the win; false if it got stuck.
bool playOneGame(Session& s)
{
    s.click(layout::playButton);
    if (!s.waitForScreen(Screen::Game))
        return false;
    for (int step = 0; step < 400; ++step) {
        const Screen top = s.view().screen();
        if (top == Screen::Winner) {
            s.click(layout::winnerOk);
            return s.waitForScreen(Screen::Setup);
        }
        if (top != Screen::Game) {
            XDesktop::waitUntil([] { return false; }, 50ms);
            continue;
        }
        const GameView v = s.view();
        const int before = v.marks(0);
        if (const auto tile = Session::tileOfTarget(v)) {
            s.click(Session::tileCentre(*tile));
            XDesktop::waitUntil(
                [&] {
                    const GameView after = s.view();
                    return after.screen() != Screen::Game || after.marks(0) > before;
                },
                2s);
        } else {
            s.click(layout::skipButton);
            XDesktop::waitUntil([] { return false; }, 100ms);
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    Session s;
    if (!s.desk.connected() || !s.startGame() || !s.waitForScreen(Screen::Start)) {
        std::fprintf(stderr, "play_games: the game did not start\n");
        return 1;
    }
    s.click(layout::startButton);
    if (!s.waitForScreen(Screen::Setup))
        return 1;
    std::printf("game=0 hwm_kb=%ld rss_kb=%ld\n", statusKb(s.run.pid(), "VmHWM:"), statusKb(s.run.pid(), "VmRSS:"));
    for (int g = 1; g <= games; ++g) {
        if (!playOneGame(s)) {
            std::fprintf(stderr, "play_games: game %d got stuck\n", g);
            return 1;
        }
        std::printf(
            "game=%d hwm_kb=%ld rss_kb=%ld\n", g, statusKb(s.run.pid(), "VmHWM:"), statusKb(s.run.pid(), "VmRSS:"));
        std::fflush(stdout);
    }
    s.run.stop();
    return 0;
}
