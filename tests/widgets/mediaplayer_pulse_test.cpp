// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the media player against a private PulseAudio server with a null
// sink: the failures of Open, Play and Close without a device, that a cue
// really sounds (recorded from the sink's monitor) and is stopped by a new
// Open, that each Open reads its file anew, that a stream is held on the
// server only while a cue sounds, that cues follow the default sink, and that
// they come back after the server has gone away (on a server of the test's
// own). The case without any output runs in a child process whose
// PULSE_SERVER leads nowhere. The decoder's own cases are in tests/audio.
#include "MediaPlayer.h"

#include "PulseRecorder.h"
#include "PulseServer.h"
#include "ToolkitError.h"
#include "WavWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The playback streams the sound server holds, counted with pactl.
int serverStreams()
{
    QProcess pactl;
    pactl.start("pactl", { "list", "short", "sink-inputs" });
    if (!pactl.waitForFinished(10000) || pactl.exitCode() != 0)
        return -1;
    return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

bool pactl(const QStringList& arguments)
{
    QProcess pactl;
    pactl.start("pactl", arguments);
    return pactl.waitForFinished(10000) && pactl.exitCode() == 0;
}

class MediaPlayerTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString tone(const QString& name, double seconds, double hz = 440.0)
    {
        EXPECT_TRUE(writeToneWav(path(name).toStdString(), seconds, hz));
        return path(name);
    }
    QString rawFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    // Opens and plays the file; true when the recorder hears it, loud.
    bool heard(PulseRecorder& recorder, const QString& file)
    {
        player.setFileName(file);
        player.Open();
        recorder.mark();
        player.Play();
        const bool loud = QTest::qWaitFor([&] { return recorder.peakSinceMark() > 8000; }, 5000);
        player.Close();
        return loud;
    }
    QString openFailure(const QString& file)
    {
        player.setFileName(file);
        try {
            player.Open();
        } catch (const EMCIDeviceError& e) {
            EXPECT_FALSE(player.isOpen());
            return e.text();
        }
        return "opened";
    }

    QTemporaryDir dir;
    TMediaPlayer player { nullptr };
};

TEST_F(MediaPlayerTest, EachFailureOfOpenHasItsMessageAndLeavesNoDevice)
{
    QFile wav(tone("gut.wav", 0.2));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray good = wav.readAll();

    EXPECT_EQ(openFailure(path("fehlt.wav")), TMediaPlayer::fileNotFoundText());
    EXPECT_EQ(openFailure(""), TMediaPlayer::fileNotFoundText());
    EXPECT_EQ(openFailure(rawFile("text.wav", "Das ist kein Klang, nur ein Text.\n")), TMediaPlayer::notPlayableText());
    EXPECT_EQ(openFailure(rawFile("leer.wav", "")), TMediaPlayer::notPlayableText());
    EXPECT_EQ(openFailure(dir.path()), TMediaPlayer::notPlayableText());
    for (int cut : { 4, 12, 30, 43 })
        EXPECT_EQ(openFailure(rawFile(QString("kurz%1.wav").arg(cut), good.left(cut))), TMediaPlayer::notPlayableText())
            << cut;
    QByteArray zeroChannels = good;
    zeroChannels[22] = 0;
    EXPECT_EQ(openFailure(rawFile("nullkanal.wav", zeroChannels)), TMediaPlayer::notPlayableText());

    // A file cut inside its samples still opens, with what is there (how
    // much is there: tests/audio).
    player.setFileName(rawFile("halb.wav", good.left(44 + 8820)));
    ASSERT_NO_THROW(player.Open());

    // A failed Open after a good one leaves no device open.
    EXPECT_EQ(openFailure(path("fehlt.wav")), TMediaPlayer::fileNotFoundText());
    try {
        player.Play();
        ADD_FAILURE();
    } catch (const EToolkitError& e) {
        EXPECT_EQ(e.text(), QString::fromUtf8("Kein MCI-Gerät geöffnet"));
    }
}

TEST_F(MediaPlayerTest, RandomlyDamagedFilesOpenOrFailCleanly)
{
    const unsigned seed = 20261207;
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    QFile wav(tone("gut.wav", 0.05));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray good = wav.readAll();
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good.left(int(random() % (good.size() + 1)));
        const int changes = int(random() % 6);
        for (int c = 0; c < changes && !bytes.isEmpty(); ++c)
            bytes[int(random() % bytes.size())] = char(random());
        player.setFileName(rawFile("kaputt.wav", bytes));
        try {
            player.Open();
            player.Play();
        } catch (const EMCIDeviceError& e) {
            EXPECT_TRUE(e.text() == TMediaPlayer::notPlayableText() || e.text() == TMediaPlayer::unknownErrorText())
                << "round " << round << ": " << e.text().toStdString();
            EXPECT_FALSE(player.isOpen());
        }
    }
    player.Close();
}

TEST_F(MediaPlayerTest, PlayAndCloseWithoutDevice)
{
    EXPECT_FALSE(player.isOpen());
    EXPECT_NO_THROW(player.Close());
    EXPECT_THROW(player.Play(), EToolkitError);
    player.setFileName(tone("a.wav", 0.1));
    EXPECT_EQ(player.fileName(), path("a.wav"));
    EXPECT_FALSE(player.isOpen()); // setting the name opens nothing
    player.Open();
    player.Close();
    player.Close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_THROW(player.Play(), EToolkitError);
}

TEST_F(MediaPlayerTest, ACueSoundsUntilItsEndAndAnOpenSilencesIt)
{
    PulseRecorder recorder;
    ASSERT_TRUE(recorder.start());
    QTest::qWait(1000); // a recorder needs a moment before it hears the first sound

    player.setFileName(tone("lang.wav", 3.0));
    player.Open();
    EXPECT_FALSE(player.isSounding());
    player.Play();
    EXPECT_TRUE(player.isSounding());
    recorder.mark();
    QTest::qWait(1200);
    EXPECT_GT(recorder.peakSinceMark(), 8000) << "the cue is not heard";

    // Open stops the sound still playing before it opens the new file.
    player.setFileName(tone("still.wav", 0.2, 0.0));
    player.Open();
    EXPECT_FALSE(player.isSounding());
    QTest::qWait(300);
    recorder.mark();
    QTest::qWait(1000);
    EXPECT_LT(recorder.peakSinceMark(), 200) << "the first cue goes on";

    // A short cue counts as sounding until the output has processed all of it.
    player.setFileName(tone("kurz.wav", 0.3));
    player.Open();
    player.Play();
    EXPECT_TRUE(player.isSounding());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    EXPECT_TRUE(player.isOpen()); // the device stays open after the end

    // Play again rewinds: the same cue sounds a second time.
    QTest::qWait(300);
    recorder.mark();
    player.Play();
    EXPECT_TRUE(player.isSounding());
    QTest::qWait(400);
    EXPECT_GT(recorder.peakSinceMark(), 8000);
    player.Close();
    EXPECT_FALSE(player.isSounding());
}

TEST_F(MediaPlayerTest, EachOpenReadsTheFileAnew)
{
    PulseRecorder recorder;
    ASSERT_TRUE(recorder.start());
    QTest::qWait(1000);

    // First the file holds silence, and silence is heard.
    const QString cue = tone("cue.wav", 1.0, 0.0);
    player.setFileName(cue);
    player.Open();
    recorder.mark();
    player.Play();
    QTest::qWait(500);
    EXPECT_LT(recorder.peakSinceMark(), 200);

    // The same name, now a tone in another format: the next Open, while the
    // silence still plays, has it, and the output follows the format change.
    ASSERT_TRUE(writeToneWav(cue.toStdString(), 0.5, 440.0, 22050, 2));
    player.Open();
    QTest::qWait(300);
    recorder.mark();
    player.Play();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    QTest::qWait(300);
    EXPECT_GT(recorder.peakSinceMark(), 8000);

    // Damaged, then gone: each Open says so.
    rawFile("cue.wav", "RIFF");
    EXPECT_EQ(openFailure(cue), TMediaPlayer::notPlayableText());
    ASSERT_TRUE(QFile::remove(cue));
    EXPECT_EQ(openFailure(cue), TMediaPlayer::fileNotFoundText());
}

TEST_F(MediaPlayerTest, AStreamIsHeldOnlyWhileACueSounds)
{
    ASSERT_EQ(serverStreams(), 0);
    player.setFileName(tone("cue.wav", 1.0));
    player.Open();
    EXPECT_EQ(serverStreams(), 0); // opening alone holds nothing on the server
    player.Play();
    EXPECT_TRUE(QTest::qWaitFor([] { return serverStreams() == 1; }, 5000));
    // After the end the stream, and the feeding of it, stop; the file stays open.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([] { return serverStreams() == 0; }, 5000));
    EXPECT_TRUE(player.isOpen());

    player.Play();
    EXPECT_TRUE(QTest::qWaitFor([] { return serverStreams() == 1; }, 5000));
    player.Close();
    EXPECT_TRUE(QTest::qWaitFor([] { return serverStreams() == 0; }, 5000));

    // Cues cut off before the server has confirmed their streams leave none.
    for (int cue = 0; cue < 3; ++cue) {
        player.Open();
        player.Play();
        player.Close();
    }
    EXPECT_TRUE(QTest::qWaitFor([] { return serverStreams() == 0; }, 5000)) << serverStreams() << " streams left";
}

// Each cue goes to the sink that is the default when it starts, on the same
// connection to the server: a sink that was silent for the first cue hears
// the second once it has become the default.
TEST_F(MediaPlayerTest, ACueGoesToTheDefaultSinkOfItsTime)
{
    PulseServer server;
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(pactl({ "load-module", "module-null-sink", "sink_name=zweite" }));
    PulseRecorder first;
    PulseRecorder second;
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start("zweite.monitor"));
    QTest::qWait(1000);
    const QString cue = tone("cue.wav", 0.3);

    second.mark();
    EXPECT_TRUE(heard(first, cue));
    EXPECT_LT(second.peakSinceMark(), 200);

    // (The server moves a recorder of the old default's monitor along with
    // the default, so only the new sink is listened to from here on.)
    ASSERT_TRUE(pactl({ "set-default-sink", "zweite" }));
    EXPECT_TRUE(heard(second, cue)) << "the cue did not follow the default sink";
}

// The sound server goes away, cleanly or by a crash, and comes back at the
// same socket. Meanwhile a cue that was sounding ends and Open fails with the
// no-device text; the first Open after the return plays again.
TEST_F(MediaPlayerTest, CuesComeBackWhenTheServerDoes)
{
    PulseServer server;
    ASSERT_TRUE(server.start());
    const QString cue = tone("cue.wav", 0.3);
    const QString longCue = tone("lang.wav", 4.0);
    for (const bool crash : { false, true, false }) {
        {
            PulseRecorder recorder; // ends with its server
            ASSERT_TRUE(recorder.start());
            QTest::qWait(1000);
            EXPECT_TRUE(heard(recorder, cue)) << "crash " << crash;
        }
        player.setFileName(longCue);
        player.Open();
        player.Play();
        server.stop(crash);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !player.isSounding(); }, 5000));
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(openFailure(cue), TMediaPlayer::noDeviceText());
            EXPECT_THROW(player.Play(), EToolkitError);
        }
        ASSERT_TRUE(server.start());
    }
    PulseRecorder recorder;
    ASSERT_TRUE(recorder.start());
    QTest::qWait(1000);
    EXPECT_TRUE(heard(recorder, cue));
}

TEST_F(MediaPlayerTest, NoOutputDevice)
{
    if (qEnvironmentVariableIsSet("TINTARIUM_NO_DEVICE_CHILD")) {
        player.setFileName(tone("a.wav", 0.1));
        EXPECT_EQ(openFailure(player.fileName()), TMediaPlayer::noDeviceText());
        EXPECT_THROW(player.Play(), EToolkitError);
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TINTARIUM_NO_DEVICE_CHILD", "1");
    env.insert("PULSE_SERVER", "unix:" + dir.filePath("kein-server"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), { "--gtest_filter=MediaPlayerTest.NoOutputDevice" });
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}

} // namespace
