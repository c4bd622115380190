// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program under random clicks and keys for a bounded time
// (SOAK_SECONDS, two minutes unless set): it must not crash, must show no
// error box (every media file is there), must end only by a key on the
// focused "Vége" (and is then started again), and its resident memory must
// stay flat once the first games of a run have been played. Three times along
// the way its sound server stops and starts again: meanwhile the program
// lives and cues are reported in error boxes; afterwards cues are heard again.
#include "PulseServer.h"
#include "Session.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <thread>

namespace {

long residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class Soak : public ::testing::Test, public Session {
protected:
    // Brings the game screen to the top, from wherever random play left it.
    bool toGameScreen()
    {
        for (int step = 0; step < 20; ++step) {
            if (errorBox() && !dismissErrorBox())
                return false;
            switch (view().screen()) {
            case Screen::Game: return true;
            case Screen::Start: click(layout::startButton); break;
            case Screen::Setup: click(layout::playButton); break;
            case Screen::NextPlayer: click(layout::nextPlayerOk); break;
            case Screen::Winner: click(layout::winnerOk); break;
            case Screen::Unknown: break;
            }
            XDesktop::waitUntil([&] { return view().screen() == Screen::Game; }, 1s);
        }
        return false;
    }

    // A press on a shown tile: a hit or a miss, either way a cue.
    bool shoot()
    {
        if (!toGameScreen())
            return false;
        const GameView v = view();
        const auto tile = tileOfTarget(v) ? tileOfTarget(v) : tileNotOfTarget(v);
        if (!tile)
            return false;
        click(tileCentre(*tile));
        return true;
    }

    // The sound server stops (cleanly, or as by a crash) under random play
    // and starts again at the same socket.
    // `move` must not be one that may end the program.
    void restartSoundServer(const std::function<void()>& move, int& moves, bool crash)
    {
        sound.stop(crash);
        // A shot's cue is reported in the error box, which is answered; the
        // game plays on.
        ASSERT_TRUE(shoot()) << "no shot without a sound server";
        EXPECT_TRUE(dismissErrorBox()) << "a cue without a sound server was not reported";
        for (int i = 0; i < 20; ++i, ++moves) {
            move();
            ASSERT_TRUE(run.running()) << "the program ended without a sound server";
            if (errorBox()) {
                ASSERT_TRUE(dismissErrorBox());
            }
        }
        ASSERT_TRUE(sound.start());
        SinkRecorder recorder;
        std::this_thread::sleep_for(1s); // a fresh recorder hears the first sound late
        ASSERT_TRUE(shoot());
        EXPECT_TRUE(XDesktop::waitUntil([&] { return recorder.peak() > 1000; }, 3s))
            << "no cue heard after the sound server came back";
        EXPECT_FALSE(errorBox().has_value());
    }

    // The program's sound server, which the soak stops and starts again.
    PulseServer sound;
};

// Keys among the moves: Tab and Backtab walk the focus, Enter and space
// press the focused button (or the default one), Escape and letters are
// typed wherever the focus is. A key may end the program only as a player's
// could: Enter or space while the setup screen's "Vége" has the focus; and
// a key may end a game only by the game screen's own "Vissza". Both are told
// from the screen seen just before the key, with the button showing its
// focus frame; any other end is a fault. The sound switch is left on, as
// the sound server's restarts need cues: Enter or space on it becomes Tab.
class KeyMoves {
public:
    explicit KeyMoves(Session& session)
        : m_session(session)
    {
    }

    // To be called while the setup screen is on top with the focus elsewhere.
    void rememberSetupButtons()
    {
        const GameView v = m_session.view();
        m_quitUnfocused = v.region(layout::quitArea);
        m_soundUnfocused = v.region(layout::soundArea);
    }
    // To be called while the game screen is on top with the focus elsewhere.
    void rememberBackButton() { m_backUnfocused = m_session.view().region(layout::backArea); }

    // Presses a random key; true when that key ends the program by "Vége".
    bool pressAny(std::mt19937& random)
    {
        static const char* const keys[] = { "Tab", "Tab", "shift+Tab", "Return", "space", "Escape", "a", "Z", "7" };
        return press(QString::fromLatin1(keys[random() % std::size(keys)]));
    }

    bool press(QString key)
    {
        const GameView before = m_session.view();
        bool pressesButton = key == "Return" || key == "space";
        if (pressesButton && before.screen() == Screen::Setup && !m_soundUnfocused.isNull()
            && before.region(layout::soundArea) != m_soundUnfocused) {
            key = QStringLiteral("Tab");
            pressesButton = false;
        }
        const bool onQuit = before.screen() == Screen::Setup && !m_quitUnfocused.isNull()
            && before.region(layout::quitArea) != m_quitUnfocused;
        const bool inGame = before.screen() == Screen::Game && !m_backUnfocused.isNull();
        const bool onBack = inGame && before.region(layout::backArea) != m_backUnfocused;
        m_session.desk.key(key);
        if (pressesButton && inGame && !onBack) {
            // The game goes on: the turn may pass, but the setup screen
            // does not come up.
            XDesktop::waitUntil([] { return false; }, 200ms);
            EXPECT_NE(m_session.view().screen(), Screen::Setup)
                << key.toStdString() << " during a game, without the focus on \"Vissza\", showed the setup screen";
        }
        return onQuit && pressesButton;
    }

private:
    Session& m_session;
    QImage m_quitUnfocused;
    QImage m_soundUnfocused;
    QImage m_backUnfocused;
};

TEST_F(Soak, RandomPlayKeepsTheProgramAliveAndItsMemoryFlat)
{
    ASSERT_TRUE(desk.connected());
    const int seconds = qEnvironmentVariableIsSet("SOAK_SECONDS") ? qEnvironmentVariableIntValue("SOAK_SECONDS") : 120;
    const unsigned seed = qEnvironmentVariableIsSet("SOAK_SEED") ? unsigned(qEnvironmentVariableIntValue("SOAK_SEED"))
                                                                 : std::random_device {}();
    std::printf("soak: %d s, seed %u\n", seconds, seed);
    std::mt19937 random(seed);

    ASSERT_TRUE(sound.start());
    KeyMoves keys(*this);
    // Starts the program and a two-player game; the looks of "Vége" and
    // "Vissza" without the focus are taken on the way.
    const auto startAndPlay = [&] {
        if (!startGame() || !waitForScreen(Screen::Start))
            return false;
        click(layout::startButton);
        if (!waitForScreen(Screen::Setup))
            return false;
        restPointer();
        XDesktop::waitUntil([] { return false; }, 300ms);
        keys.rememberSetupButtons();
        if (!startPlaying("Erste", "Zweite", 2, 0))
            return false;
        restPointer();
        XDesktop::waitUntil([] { return false; }, 300ms);
        keys.rememberBackButton();
        return true;
    };
    ASSERT_TRUE(startAndPlay());

    // Clicks a player may make, and Enter or space; "Vége" and the sound
    // switch are not clicked.
    // True when the move ends the program by a key on the focused "Vége";
    // without `keys` the move is a click.
    const auto move = [&](bool withKeys) {
        bool quits = false;
        const int kind = int(random() % 100);
        if (kind < 55) {
            const GameView v = view();
            std::uniform_int_distribution<int> tile(0, 19);
            const auto target = tileOfTarget(v);
            click(target && random() % 2 ? tileCentre(*target) : tileCentre(tile(random)), 1 + int(random() % 3));
        } else if (kind < 65) {
            click(layout::skipButton);
        } else if (kind < 70) {
            if (withKeys)
                quits = keys.press(random() % 2 ? "Return" : "space");
            else
                click(layout::skipButton);
        } else if (kind < 78) {
            click(layout::startButton); // "Start", "Játék", "Ok" share this place
        } else if (kind < 81) {
            click(layout::nextPlayerOk);
        } else if (kind < 83) {
            click(layout::backButton);
        } else if (kind < 85) {
            click(layout::instructionsButton);
        } else if (kind < 87) {
            click({ 48, 578 }); // the hidden reveal switch
        } else {
            std::uniform_int_distribution<int> x(0, 807), y(0, 600);
            QPoint at(x(random), y(random));
            if (layout::quitArea.contains(at) || layout::soundArea.contains(at))
                at = layout::skipButton;
            click(at);
        }
        return quits;
    };

    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - started; };
    const auto end = std::chrono::seconds(seconds);
    // Memory is watched per run of the program, from a quarter of the soak's
    // time after that run started.
    auto runStarted = started;
    long settled = -1;
    long largest = 0;
    // Flat: at most 10 % (and at least 8 MB of slack for allocator noise).
    const auto checkMemory = [&] {
        if (settled < 0)
            return; // the run ended before a quarter of the soak's time
        std::printf("soak: resident memory %ld kB a quarter into the run, at most %ld kB after it\n", settled, largest);
        EXPECT_LE(largest, settled + std::max(settled / 10, 8192L)) << "seed " << seed;
    };
    int moves = 0;
    int restarts = 0;
    int serverRestarts = 0;
    while (elapsed() < end) {
        if (serverRestarts < 3 && elapsed() > end * (serverRestarts + 2) / 5) {
            restartSoundServer([&] { move(false); }, moves, serverRestarts++ == 1);
            if (HasFatalFailure())
                return;
        }
        const bool quit = random() % 100 < 15 ? keys.pressAny(random) : move(true);
        ++moves;
        if (quit) {
            ASSERT_TRUE(XDesktop::waitUntil([&] { return !run.running(); }, 3s))
                << "Enter or space on the focused \"Vége\" did not end the program (seed " << seed << ")";
            ASSERT_EQ(run.waitForExit(1s), 0);
            checkMemory();
            ++restarts;
            ASSERT_TRUE(startAndPlay());
            runStarted = std::chrono::steady_clock::now();
            settled = -1;
            largest = 0;
            continue;
        }
        ASSERT_TRUE(run.running()) << "the program ended after " << moves << " moves (seed " << seed << ")";
        ASSERT_FALSE(errorBox().has_value())
            << "an error box appeared after " << moves << " moves (seed " << seed << ")";
        const long rss = residentKb(run.pid());
        if (settled < 0 && std::chrono::steady_clock::now() - runStarted > end / 4)
            settled = rss;
        if (settled >= 0)
            largest = std::max(largest, rss);
    }
    std::printf("soak: %d moves, %d ends by \"Vége\" and new starts\n", moves, restarts);
    checkMemory();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
