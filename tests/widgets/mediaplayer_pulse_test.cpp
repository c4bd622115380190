// Tests of the media player against a private PulseAudio server with a null
// sink: the failures of Open, Play and Close without a device, that every
// seed of the sound fuzz target opens or is refused within a second (a file
// that hangs libsndfile among them) and that the decoder process neither
// outlives a stall nor its program, that a cue really sounds (recorded from
// the sink's monitor) and is stopped by a new Open, that each Open reads its
// file anew, that a stream is held on the server only while a cue sounds,
// that cues follow the default sink, and that they come back after the
// server has gone away (on a server of the test's own). The case without any
// output runs in a child process whose PULSE_SERVER leads nowhere.
#include "MediaPlayer.h"

#include "PulseRecorder.h"
#include "PulseServer.h"
#include "ToolkitError.h"
#include "WavWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>

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

// A process as /proc/<pid>/stat tells it: "pid (name) state parent ...".
struct ProcessInfo {
    QByteArray name;
    char state = '?';
    qint64 parent = 0;
};

std::optional<ProcessInfo> processInfo(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
    const QList<QByteArray> rest = line.mid(close + 2).split(' ');
    if (open < 0 || close < open || rest.size() < 2 || rest[0].isEmpty())
        return std::nullopt;
    return ProcessInfo { line.mid(open + 1, close - open - 1), rest[0][0], rest[1].toLongLong() };
}

// A sound decoder process that has not ended (a zombie has).
bool isLiveDecoder(const std::optional<ProcessInfo>& process)
{
    return process && process->name == "tintarium-sound" && process->state != 'Z';
}

// The live sound decoders of this program.
QList<qint64> decoderProcesses()
{
    QList<qint64> found;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const std::optional<ProcessInfo> process = processInfo(entry.toLongLong());
        if (isLiveDecoder(process) && process->parent == QCoreApplication::applicationPid())
            found << entry.toLongLong();
    }
    return found;
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

    // A file cut inside its samples still opens, with what is there.
    player.setFileName(rawFile("halb.wav", good.left(44 + 8820)));
    ASSERT_NO_THROW(player.Open());
    EXPECT_EQ(player.lengthUSecs(), 100000);

    // A failed Open after a good one leaves no device open.
    EXPECT_EQ(openFailure(path("fehlt.wav")), TMediaPlayer::fileNotFoundText());
    try {
        player.Play();
        ADD_FAILURE();
    } catch (const EToolkitError& e) {
        EXPECT_EQ(e.text(), QString::fromUtf8("Kein MCI-Gerät geöffnet"));
    }
}

// Real files of many formats, and the spoiled files fuzzing has found: each
// opens or is refused as not playable within a second. libsndfile spins on
// cue-list-chunk-hang.wav for minutes; its decoder is killed, and the next
// Open has a fresh one.
TEST_F(MediaPlayerTest, EverySoundSeedOpensOrIsRefusedWithinASecond)
{
    const QSet<QString> playable = { "aiff.wav", "alaw.wav", "au.wav", "data-size-past-end.wav", "flac.wav",
        "float32.wav", "gsm.wav", "ima.wav", "msadpcm.wav", "odd-bits.wav", "ogg.wav", "pcm16.wav", "pcm24.wav",
        "truncated.wav", "u8-stereo.wav", "ulaw.wav" };
    const QDir seeds(TINTARIUM_SOURCE_DIR "/fuzz/corpus/mediaplayer");
    const QStringList files = seeds.entryList(QDir::Files);
    ASSERT_TRUE(files.contains("cue-list-chunk-hang.wav"));
    for (const QString& file : files) {
        QElapsedTimer clock;
        clock.start();
        const QString outcome = openFailure(seeds.filePath(file));
        EXPECT_LT(clock.elapsed(), 1000) << file.toStdString();
        EXPECT_EQ(outcome, playable.contains(file) ? "opened" : TMediaPlayer::notPlayableText()) << file.toStdString();
    }

    player.setFileName(seeds.filePath("cue-list-chunk-hang.wav"));
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_EQ(decoderProcesses().size(), 0) << "a decoder given up on is still there";
    player.setFileName(seeds.filePath("pcm16.wav"));
    EXPECT_NO_THROW(player.Open());
    EXPECT_EQ(decoderProcesses().size(), 1);
}

// A decoder that is busy when its program ends, even without exit handlers,
// ends with it (an idle one sees its socket close).
TEST_F(MediaPlayerTest, TheDecoderEndsWithItsProgram)
{
    if (qEnvironmentVariableIsSet("TINTARIUM_DECODER_CHILD")) {
        std::thread ending([] {
            QList<qint64> decoders;
            for (int wait = 0; wait < 200 && decoders.isEmpty(); ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                decoders = decoderProcesses();
            }
            // Well into the file, well before the decode is given up.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::printf("decoder %lld\n", decoders.size() == 1 ? decoders[0] : 0ll);
            std::fflush(stdout);
            std::_Exit(0);
        });
        player.setFileName(TINTARIUM_SOURCE_DIR "/fuzz/corpus/mediaplayer/cue-list-chunk-hang.wav");
        EXPECT_THROW(player.Open(), EMCIDeviceError);
        ending.join();
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TINTARIUM_DECODER_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(
        QCoreApplication::applicationFilePath(), { "--gtest_filter=MediaPlayerTest.TheDecoderEndsWithItsProgram" });
    ASSERT_TRUE(child.waitForFinished(60000));
    const QRegularExpressionMatch said
        = QRegularExpression("decoder (\\d+)").match(QString::fromUtf8(child.readAllStandardOutput()));
    ASSERT_TRUE(said.hasMatch());
    const qint64 decoder = said.captured(1).toLongLong();
    ASSERT_GT(decoder, 0);
    EXPECT_TRUE(QTest::qWaitFor([decoder] { return !isLiveDecoder(processInfo(decoder)); }, 5000));
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

    const QString cue = tone("cue.wav", 0.2);
    player.setFileName(cue);
    player.Open();
    EXPECT_EQ(player.lengthUSecs(), 200000);
    player.Play();

    // The same name, now longer and in another format: the next Open has it,
    // and the output follows the format change.
    ASSERT_TRUE(writeToneWav(cue.toStdString(), 0.5, 440.0, 22050, 2));
    player.Open();
    EXPECT_EQ(player.lengthUSecs(), 500000);
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
