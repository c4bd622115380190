// The real program under random clicks and keys for a bounded time
// (SOAK_SECONDS, two minutes unless set): it must not crash, must show no
// error box (every media file is there), and its resident memory must stay
// flat once the first games have been played. Three times along the way its
// sound server stops and starts again: meanwhile the program lives and cues
// are reported in error boxes; afterwards cues are heard again.
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

class Soak : public ::testing::Test, public Session
{
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

TEST_F(Soak, RandomPlayKeepsTheProgramAliveAndItsMemoryFlat)
{
    ASSERT_TRUE(desk.connected());
    const int seconds = qEnvironmentVariableIsSet("SOAK_SECONDS") ? qEnvironmentVariableIntValue("SOAK_SECONDS") : 120;
    const unsigned seed = qEnvironmentVariableIsSet("SOAK_SEED") ? unsigned(qEnvironmentVariableIntValue("SOAK_SEED"))
                                                                  : std::random_device{}();
    std::printf("soak: %d s, seed %u\n", seconds, seed);
    std::mt19937 random(seed);

    ASSERT_TRUE(sound.start());
    ASSERT_TRUE(startGame());
    ASSERT_TRUE(startPlaying("Erste", "Zweite", 2, 0));

    // Moves a player may make; "Vége" and the keyboard focus walk (which
    // could reach "Vége") are left out, since they end the program.
    const auto move = [&] {
        const int kind = int(random() % 100);
        if (kind < 55) {
            const GameView v = view();
            std::uniform_int_distribution<int> tile(0, 19);
            const auto target = tileOfTarget(v);
            click(target && random() % 2 ? tileCentre(*target) : tileCentre(tile(random)),
                  1 + int(random() % 3));
        } else if (kind < 65) {
            click(layout::skipButton);
        } else if (kind < 70) {
            desk.key(random() % 2 ? "Return" : "space");
        } else if (kind < 78) {
            click(layout::startButton);          // "Start", "Játék", "Ok" share this place
        } else if (kind < 81) {
            click(layout::nextPlayerOk);
        } else if (kind < 83) {
            click(layout::backButton);
        } else if (kind < 85) {
            click(layout::instructionsButton);
        } else if (kind < 87) {
            click({48, 578});                    // the hidden reveal switch
        } else {
            std::uniform_int_distribution<int> x(0, 807), y(0, 600);
            QPoint at(x(random), y(random));
            if (QRect(720, 462, 75, 25).contains(at))
                at = layout::skipButton;
            click(at);
        }
    };

    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - started; };
    const auto end = std::chrono::seconds(seconds);
    long settled = -1;
    long largest = 0;
    int moves = 0;
    int restarts = 0;
    while (elapsed() < end) {
        if (restarts < 3 && elapsed() > end * (restarts + 2) / 5) {
            restartSoundServer(move, moves, restarts++ == 1);
            if (HasFatalFailure())
                return;
        }
        move();
        ++moves;
        ASSERT_TRUE(run.running()) << "the program ended after " << moves << " moves (seed " << seed << ")";
        ASSERT_FALSE(errorBox().has_value()) << "an error box appeared after " << moves << " moves (seed " << seed << ")";
        const long rss = residentKb(run.pid());
        if (settled < 0 && elapsed() > end / 4)
            settled = rss;
        if (settled >= 0)
            largest = std::max(largest, rss);
    }
    std::printf("soak: %d moves; resident memory %ld kB after the first quarter, at most %ld kB after it\n",
                moves, settled, largest);
    // Flat: at most 10 % (and at least 8 MB of slack for allocator noise).
    EXPECT_LE(largest, settled + std::max(settled / 10, 8192L));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
