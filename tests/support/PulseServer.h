// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A private sound server that a test starts, stops and starts again at one
// socket, to see what a client makes of a server that goes away and comes
// back. It runs tests/support/sound-server.sh (PulseAudio, or PipeWire with
// pipewire-pulse as TINTARIUM_SOUND_SERVER says) with its null sink "null".
// While the object lives, PULSE_SERVER in this process names the server, so
// the code under test, the programs it starts, parec and pactl all reach it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <csignal>

// Points PULSE_SERVER at `address` while it lives; then the variable is as
// it was before, unset if it was.
class PulseServerAddress {
public:
    explicit PulseServerAddress(const QByteArray& address)
        : m_previous(qgetenv("PULSE_SERVER"))
        , m_hadPrevious(qEnvironmentVariableIsSet("PULSE_SERVER"))
    {
        qputenv("PULSE_SERVER", address);
    }
    ~PulseServerAddress()
    {
        if (m_hadPrevious)
            qputenv("PULSE_SERVER", m_previous);
        else
            qunsetenv("PULSE_SERVER");
    }
    PulseServerAddress(const PulseServerAddress&) = delete;
    PulseServerAddress& operator=(const PulseServerAddress&) = delete;

private:
    QByteArray m_previous;
    bool m_hadPrevious;
};

class PulseServer {
public:
    PulseServer()
        : m_address(address())
    {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
    }

    ~PulseServer() { stop(); }

    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    QByteArray address() const { return "unix:" + QFile::encodeName(m_dir.filePath("native")); }

    // Starts the server and waits until its null sink is the default one.
    bool start()
    {
        m_process.start(QStringLiteral(TINTARIUM_SOUND_SERVER_SCRIPT), { m_dir.path() });
        if (!m_process.waitForStarted(10000))
            return false;
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (m_process.state() != QProcess::Running)
                return false;
            QProcess pactl;
            pactl.start(QStringLiteral("pactl"), { QStringLiteral("get-default-sink") });
            if (pactl.waitForFinished(5000) && pactl.exitCode() == 0
                && pactl.readAllStandardOutput().trimmed() == "null")
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    // Ends the server by its process id: cleanly, or killed at once as by a
    // crash, which leaves its socket file behind.
    void stop(bool crash = false)
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), crash ? SIGUSR1 : SIGTERM);
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool running() const { return m_process.state() == QProcess::Running; }

private:
    QTemporaryDir m_dir;
    PulseServerAddress m_address; // after m_dir, whose path it names
    QProcess m_process;
};
