// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    static const QStringList files { "Tintarium.rtf", "TintariumUhr.avi", "TintariumUhr.bmp", "TintariumRichtig.wav",
        "TintariumFalsch.wav", "TintariumGewonnen.wav" };
    return files;
}

GameRun::GameRun()
{
    for (const QString& file : mediaFiles())
        QFile::copy(QStringLiteral(TINTARIUM_MEDIA_DIR "/") + file, m_folder.filePath(file));
}

GameRun::~GameRun()
{
    stop();
}

void GameRun::leaveOut(const QString& file)
{
    QFile::remove(m_folder.filePath(file));
}

void GameRun::overwrite(const QString& file, const QByteArray& content)
{
    QFile out(m_folder.filePath(file));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(content);
}

bool GameRun::start()
{
    m_process.setWorkingDirectory(m_folder.path());
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(m_program, {});
    return m_process.waitForStarted(10000);
}

bool GameRun::running()
{
    if (m_process.state() == QProcess::NotRunning)
        return false;
    // QProcess learns of the end only in its event loop or in a wait, and
    // the tests run no event loop: a wait of no time lets it look.
    return !m_process.waitForFinished(0);
}

qint64 GameRun::pid() const
{
    return m_process.processId();
}

std::optional<int> GameRun::waitForExit(std::chrono::milliseconds timeout)
{
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(int(timeout.count())))
        return std::nullopt;
    if (m_process.exitStatus() != QProcess::NormalExit)
        return 128 + 9;
    return m_process.exitCode();
}

void GameRun::stop()
{
    endProcess(m_process);
}

QString GameRun::errorOutput()
{
    return QString::fromLocal8Bit(m_process.readAllStandardError());
}

SinkRecorder::SinkRecorder()
{
    m_process.start(QStringLiteral("parec"),
        { "-d", "null.monitor", "--raw", "--format=s16le", "--rate=44100", "--channels=1", "--latency-msec=20" });
    m_process.waitForStarted(5000);
}

SinkRecorder::~SinkRecorder()
{
    stop();
}

int SinkRecorder::peak()
{
    m_process.waitForReadyRead(50);
    m_samples += m_process.readAllStandardOutput();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < m_samples.size(); i += 2) {
        qint16 sample;
        std::memcpy(&sample, m_samples.constData() + i, 2);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

void SinkRecorder::stop()
{
    endProcess(m_process);
}
