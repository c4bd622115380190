// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the sound decoder, without a sound server: a file's bytes decode
// to exactly its samples, and a file cut inside its samples to what is there;
// every seed of the sound fuzz target decodes, or is refused as not playable,
// within a second (a file that hangs libsndfile among them), and the same
// from its bytes as from its file; the decoder process neither outlives a
// stall nor its program.
#include "PulseOutput.h"
#include "SoundDecoder.h"

#include "WavWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

namespace {

const QString kSeeds = QStringLiteral(TINTARIUM_SOURCE_DIR "/fuzz/corpus/mediaplayer");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
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
        if (isLiveDecoder(process) && process->parent == ::getpid())
            found << entry.toLongLong();
    }
    return found;
}

// The samples of a sound in microseconds.
qint64 lengthUSecs(const DecodedSound& sound)
{
    return sound.pcm.size() / (sound.channels * 2) * 1000000 / sound.rate;
}

TEST(SoundDecoder, AFilesBytesDecodeToItsSamplesAndACutFileToWhatIsThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ton.wav");
    ASSERT_TRUE(writeToneWav(path.toStdString(), 0.2, 440.0, 22050, 2));
    const QByteArray bytes = readFile(path);
    for (const DecodedSound& sound : { SoundDecoder::decodeBytes(bytes), SoundDecoder::decodeFile(path) }) {
        EXPECT_EQ(sound.failure, SoundFailure::None);
        EXPECT_EQ(sound.channels, 2);
        EXPECT_EQ(sound.rate, 22050);
        EXPECT_EQ(sound.pcm, bytes.mid(44)); // 16-bit PCM comes through untouched
        EXPECT_EQ(sound.report.ending, SoundFileReport::Ending::Decoded);
    }

    // Cut inside its samples, a file still decodes, with what is there.
    ASSERT_TRUE(writeToneWav(path.toStdString(), 0.2));
    const QByteArray cut = readFile(path).left(44 + 8820);
    QFile half(dir.filePath("halb.wav"));
    ASSERT_TRUE(half.open(QIODevice::WriteOnly));
    half.write(cut);
    half.close();
    for (const DecodedSound& sound : { SoundDecoder::decodeBytes(cut), SoundDecoder::decodeFile(half.fileName()) }) {
        ASSERT_EQ(sound.failure, SoundFailure::None);
        EXPECT_EQ(lengthUSecs(sound), 100000);
    }
}

// Real files of many formats, and the spoiled files fuzzing has found: each
// decodes to a sound the output can play, or is refused as not playable,
// and its bytes decode as its file does. libsndfile spins on
// cue-list-chunk-hang.wav for minutes: that decode, and only that one, is
// given up as stalled (the decoder's own time limit bounds the wait, so no
// clock is read here); its decoder is killed, and the next decode has a
// fresh one.
TEST(SoundDecoder, EverySoundSeedDecodesOrIsRefused)
{
    const QSet<QString> playable = { "aiff.wav", "alaw.wav", "au.wav", "data-size-past-end.wav", "flac.wav",
        "float32.wav", "gsm.wav", "ima.wav", "msadpcm.wav", "odd-bits.wav", "ogg.wav", "pcm16.wav", "pcm24.wav",
        "truncated.wav", "u8-stereo.wav", "ulaw.wav" };
    const QDir seeds(kSeeds);
    const QStringList files = seeds.entryList(QDir::Files);
    ASSERT_TRUE(files.contains("cue-list-chunk-hang.wav"));
    for (const QString& file : files) {
        const DecodedSound sound = SoundDecoder::decodeFile(seeds.filePath(file));
        EXPECT_EQ(sound.report.ending == SoundFileReport::Ending::Stalled, file == "cue-list-chunk-hang.wav")
            << file.toStdString();
        const bool playing = sound.failure == SoundFailure::None && PulseOutput::playable(sound.channels, sound.rate);
        EXPECT_EQ(playing ? SoundFailure::None : sound.failure,
            playable.contains(file) ? SoundFailure::None : SoundFailure::NotPlayable)
            << file.toStdString();

        const DecodedSound fromBytes = SoundDecoder::decodeBytes(readFile(seeds.filePath(file)));
        EXPECT_EQ(fromBytes.failure, sound.failure) << file.toStdString();
        EXPECT_EQ(fromBytes.report.format, sound.report.format) << file.toStdString();
        EXPECT_EQ(fromBytes.channels, sound.channels) << file.toStdString();
        EXPECT_EQ(fromBytes.rate, sound.rate) << file.toStdString();
        EXPECT_TRUE(fromBytes.pcm == sound.pcm) << file.toStdString();
    }

    EXPECT_EQ(SoundDecoder::decodeFile(seeds.filePath("cue-list-chunk-hang.wav")).failure, SoundFailure::NotPlayable);
    EXPECT_EQ(decoderProcesses().size(), 0) << "a decoder given up on is still there";
    EXPECT_EQ(SoundDecoder::decodeFile(seeds.filePath("pcm16.wav")).failure, SoundFailure::None);
    EXPECT_EQ(decoderProcesses().size(), 1);
}

// A decoder that is busy when its program ends, even without exit handlers,
// ends with it (an idle one sees its socket close).
TEST(SoundDecoder, TheDecoderEndsWithItsProgram)
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
        EXPECT_EQ(SoundDecoder::decodeFile(kSeeds + "/cue-list-chunk-hang.wav").failure, SoundFailure::NotPlayable);
        ending.join();
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TINTARIUM_DECODER_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(
        QCoreApplication::applicationFilePath(), { "--gtest_filter=SoundDecoder.TheDecoderEndsWithItsProgram" });
    ASSERT_TRUE(child.waitForFinished(60000));
    const QRegularExpressionMatch said
        = QRegularExpression("decoder (\\d+)").match(QString::fromUtf8(child.readAllStandardOutput()));
    ASSERT_TRUE(said.hasMatch());
    const qint64 decoder = said.captured(1).toLongLong();
    ASSERT_GT(decoder, 0);
    EXPECT_TRUE(QTest::qWaitFor([decoder] { return !isLiveDecoder(processInfo(decoder)); }, 5000));
}

} // namespace
