// Tests of the cues with sound on, against a private PulseAudio server with a
// null sink whose monitor is recorded: a cue really sounds, a second cue cuts
// the first off, TonSchliessen silences a cue, and a cue file that cannot be
// opened is reported after the event instead of interrupting the caller.
#include "Hardware1.h"
#include "Ton.h"

#include "Application.h"
#include "Button.h"
#include "MediaPlayer.h"
#include "PulseRecorder.h"
#include "QtTestMain.h"
#include "WavWriter.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kHeard = 8000;  // the test tones peak at half of full scale
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
    TButton ton{nullptr};
    THardware hardware{&ton, Ausgabezaehler::System()};
    TMediaPlayer player{nullptr};
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
    EXPECT_EQ(player.lengthUSecs(), 300000);
    EXPECT_TRUE(player.isSounding());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    QTest::qWait(300);
    EXPECT_GT(recorder.peakSinceMark(), kHeard); // the second cue
    EXPECT_LT(listen(1000), kSilent);            // the first would still sound here
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

TEST_F(TonTest, AMissingCueIsReportedAfterTheEventAndNotThrown)
{
    QStringList boxes;
    TApplication::instance()->setErrorBoxHandler(
        [&](const QString&, const QString& text) { boxes << text; });
    bool returned = false;
    int boxesWhileHandling = -1;
    // A click handler that wants a cue and then goes on with its work.
    QTimer::singleShot(0, &player, [&] {
        TonAbspielen(player, dir.filePath("TintariumFalsch.wav"));
        returned = true;
        boxesWhileHandling = static_cast<int>(boxes.size());
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }, 5000));
    EXPECT_TRUE(returned);
    EXPECT_EQ(boxesWhileHandling, 0);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.front(), TApplication::withFullStop(TMediaPlayer::fileNotFoundText()));
    EXPECT_FALSE(player.isOpen());
}

} // namespace
