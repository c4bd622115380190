// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the cues with sound on, against a private PulseAudio server with a
// null sink whose monitor is recorded: a cue really sounds, a second cue cuts
// the first off, TonSchliessen silences a cue, and a cue file that cannot be
// opened, or a cue while the sound server is gone, is reported after the
// event instead of interrupting the caller.
#include "Hardware1.h"
#include "Ton.h"

#include "Application.h"
#include "Button.h"
#include "MediaPlayer.h"
#include "PulseRecorder.h"
#include "PulseServer.h"
#include "QtTestMain.h"
#include "WavWriter.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kHeard = 8000; // the test tones peak at half of full scale
constexpr int kSilent = 200;

class TonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Hardware = &hardware;
        ASSERT_TRUE(recorder.start());
        QTest::qWait(1000); // a fresh recorder hears the first sound late
    }
    void TearDown() override
    {
        Hardware = nullptr;
        installPrintingErrorBox();
    }
    QString tone(const QString& name, double seconds)
    {
        EXPECT_TRUE(writeToneWav(dir.filePath(name).toStdString(), seconds));
        return dir.filePath(name);
    }
    // The loudest sample heard during the next `ms` milliseconds.
    int listen(int ms)
    {
        recorder.mark();
        QTest::qWait(ms);
        return recorder.peakSinceMark();
    }

    QTemporaryDir dir;
    TButton ton { nullptr };
    THardware hardware { &ton, Ausgabezaehler::System() };
    TMediaPlayer player { nullptr };
    PulseRecorder recorder;
};

TEST_F(TonTest, TheNullSinkCountsAsSoundAndACuePlays)
{
    EXPECT_GE(Ausgabezaehler::System().wellenausgaenge(), 1);
    EXPECT_GE(Ausgabezaehler::System().midiausgaenge(), 0);
    ASSERT_TRUE(hardware.Tonschalter);
    EXPECT_EQ(ton.caption(), "Ton aus");

    recorder.mark();
    TonAbspielen(player, tone("richtig.wav", 0.5));
    EXPECT_EQ(player.fileName(), dir.filePath("richtig.wav"));
    EXPECT_TRUE(player.isSounding());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    QTest::qWait(300);
    EXPECT_GT(recorder.peakSinceMark(), kHeard);
    EXPECT_TRUE(player.isOpen()); // stays open until the next cue or a close
    TonSchliessen(player);
    EXPECT_FALSE(player.isOpen());
}

TEST_F(TonTest, ASecondCueCutsTheFirstOff)
{
    // The second cue starts once the first is really heard, so the start-up
    // latency of the output is behind us and cannot swallow the short cue.
    recorder.mark();
    TonAbspielen(player, tone("lang.wav", 4.0));
    ASSERT_TRUE(QTest::qWaitFor([this] { return recorder.peakSinceMark() > kHeard; }, 5000));
    TonAbspielen(player, tone("kurz.wav", 0.3));
    recorder.mark();
    EXPECT_TRUE(player.isOpen()); // the short cue is the one open
    EXPECT_EQ(player.fileName(), dir.filePath("kurz.wav"));
    EXPECT_TRUE(player.isSounding());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    QTest::qWait(300);
    EXPECT_GT(recorder.peakSinceMark(), kHeard); // the second cue
    EXPECT_LT(listen(1000), kSilent); // the first would still sound here
}

TEST_F(TonTest, TonSchliessenSilencesACueStillSounding)
{
    TonAbspielen(player, tone("lang.wav", 4.0));
    QTest::qWait(300);
    ASSERT_TRUE(player.isSounding());
    TonSchliessen(player);
    EXPECT_FALSE(player.isOpen());
    QTest::qWait(300);
    EXPECT_LT(listen(1000), kSilent);
    TonSchliessen(player); // nothing open: nothing happens
}

// A click handler that wants a cue and then goes on with its work: the
// texts of the error boxes shown for it, none of them while it ran.
QStringList boxesOfACue(TMediaPlayer& player, const QString& datei)
{
    QStringList boxes;
    TApplication::instance()->setErrorBoxHandler([&](const QString&, const QString& text) { boxes << text; });
    bool returned = false;
    int boxesWhileHandling = -1;
    QTimer::singleShot(0, &player, [&] {
        TonAbspielen(player, datei);
        returned = true;
        boxesWhileHandling = static_cast<int>(boxes.size());
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }, 5000));
    EXPECT_TRUE(returned);
    EXPECT_EQ(boxesWhileHandling, 0);
    installPrintingErrorBox();
    return boxes;
}

TEST_F(TonTest, AMissingCueIsReportedAfterTheEventAndNotThrown)
{
    EXPECT_EQ(boxesOfACue(player, dir.filePath("TintariumFalsch.wav")),
        QStringList { TApplication::withFullStop(TMediaPlayer::fileNotFoundText()) });
    EXPECT_FALSE(player.isOpen());
}

// The sound server stops in the middle of a game and starts again: meanwhile
// a cue fails like one that cannot be opened, and the next cue after the
// server's return is heard, with nothing done in between.
class TonNeustartTest : public TonTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        TonTest::SetUp(); // the recorder listens to this server
    }
    PulseServer server;
};

TEST_F(TonNeustartTest, WithoutServerACueIsReportedAndAfterItsReturnHeard)
{
    recorder.mark();
    TonAbspielen(player, tone("lang.wav", 4.0));
    EXPECT_TRUE(QTest::qWaitFor([this] { return recorder.peakSinceMark() > kHeard; }, 5000));
    // The server goes while the cue sounds; the cue ends with it.
    server.stop();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));

    const QString richtig = tone("richtig.wav", 0.3);
    EXPECT_EQ(boxesOfACue(player, richtig), QStringList { TApplication::withFullStop(TMediaPlayer::noDeviceText()) });
    EXPECT_FALSE(player.isOpen());
    TonSchliessen(player); // as at the end of the game: nothing open, nothing happens

    ASSERT_TRUE(server.start());
    PulseRecorder wieder;
    ASSERT_TRUE(wieder.start());
    QTest::qWait(1000);
    wieder.mark();
    TonAbspielen(player, richtig);
    EXPECT_TRUE(player.isOpen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return wieder.peakSinceMark() > kHeard; }, 5000));
}

} // namespace
