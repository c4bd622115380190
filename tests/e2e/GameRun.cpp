// Starting, watching and ending the game program and the sound recorder.
#include "GameRun.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

// Ends a process by its id: politely first, then for sure.
void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process.processId()), SIGTERM);
    if (!process.waitForFinished(3000)) {
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(3000);
    }
}

} // namespace

const QStringList& GameRun::mediaFiles()
{
    static const QStringList files{"Tintarium.rtf", "TintariumUhr.avi", "TintariumUhr.bmp",
                                   "TintariumRichtig.wav", "TintariumFalsch.wav",
                                   "TintariumGewonnen.wav"};
    return files;
}

GameRun::GameRun()
{
    for (const QString& file : mediaFiles())
        QFile::copy(QStringLiteral(TINTARIUM_MEDIA_DIR "/") + file, folder_.filePath(file));
}

GameRun::~GameRun()
{
    stop();
}

void GameRun::leaveOut(const QString& file)
{
    QFile::remove(folder_.filePath(file));
}

void GameRun::overwrite(const QString& file, const QByteArray& content)
{
    QFile out(folder_.filePath(file));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(content);
}

bool GameRun::start()
{
    process_.setWorkingDirectory(folder_.path());
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(program_, {});
    return process_.waitForStarted(10000);
}

bool GameRun::running()
{
    if (process_.state() == QProcess::NotRunning)
        return false;
    // QProcess learns of the end only in its event loop or in a wait, and
    // the tests run no event loop: a wait of no time lets it look.
    return !process_.waitForFinished(0);
}

qint64 GameRun::pid() const
{
    return process_.processId();
}

std::optional<int> GameRun::waitForExit(std::chrono::milliseconds timeout)
{
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(int(timeout.count())))
        return std::nullopt;
    if (process_.exitStatus() != QProcess::NormalExit)
        return 128 + 9;
    return process_.exitCode();
}

void GameRun::stop()
{
    endProcess(process_);
}

QString GameRun::errorOutput()
{
    return QString::fromLocal8Bit(process_.readAllStandardError());
}

SinkRecorder::SinkRecorder()
{
    process_.start(QStringLiteral("parec"), {"-d", "null.monitor", "--raw", "--format=s16le",
                                             "--rate=44100", "--channels=1", "--latency-msec=20"});
    process_.waitForStarted(5000);
}

SinkRecorder::~SinkRecorder()
{
    stop();
}

int SinkRecorder::peak()
{
    process_.waitForReadyRead(50);
    samples_ += process_.readAllStandardOutput();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < samples_.size(); i += 2) {
        qint16 sample;
        std::memcpy(&sample, samples_.constData() + i, 2);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

void SinkRecorder::stop()
{
    endProcess(process_);
}
