// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One run of the real game program (or of another build of it), started from
// a fresh folder that holds the six media files (some may be left out or
// spoiled for a test), and ended by its process id.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <optional>

class GameRun {
public:
    static const QStringList& mediaFiles();

    GameRun();
    ~GameRun();

    // Prepare the folder and the program before start(); the build's program
    // is the default.
    void leaveOut(const QString& file);
    void overwrite(const QString& file, const QByteArray& content);
    QString folder() const { return m_folder.path(); }
    void setProgram(const QString& program) { m_program = program; }

    bool start();
    // True while the program runs; it notices an end without an event loop.
    bool running();
    qint64 pid() const;
    // The exit status once the program has ended by itself within the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // Ends the program by its id if it still runs.
    void stop();
    QString errorOutput();

private:
    QTemporaryDir m_folder;
    QString m_program = QStringLiteral(TINTARIUM_BINARY);
    QProcess m_process;
};

// Records what the PulseAudio null sink plays, as 16-bit mono samples.
class SinkRecorder {
public:
    SinkRecorder();
    ~SinkRecorder();
    // The loudest sample since the recorder started, 0 to 32767.
    int peak();
    void stop();

private:
    QProcess m_process;
    QByteArray m_samples;
};
