// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Records what plays on the test PulseAudio server's null sink ("parec -d
// null.monitor", 16-bit mono, or another sink's monitor) so that a test can
// hear whether a cue sounds.
// mark() starts a window; peakSinceMark() is the loudest sample since then.
#pragma once

#include <QByteArray>
#include <QProcess>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

class PulseRecorder {
public:
    ~PulseRecorder()
    {
        if (m_parec.state() != QProcess::NotRunning) {
            m_parec.kill();
            m_parec.waitForFinished(5000);
        }
    }

    bool start(const QString& source = QStringLiteral("null.monitor"))
    {
        m_parec.start(
            "parec", { "-d", source, "--raw", "--format=s16le", "--rate=44100", "--channels=1", "--latency-msec=20" });
        // Recording has begun once the first samples (silence) arrive; on
        // PipeWire that waits for the session manager to link the recorder.
        if (!m_parec.waitForStarted(5000) || !m_parec.waitForReadyRead(5000))
            return false;
        m_samples += m_parec.readAllStandardOutput();
        return true;
    }

    void mark()
    {
        drain();
        m_mark = m_samples.size();
    }

    int peakSinceMark()
    {
        drain();
        int peak = 0;
        for (qsizetype at = m_mark & ~qsizetype(1); at + 1 < m_samples.size(); at += 2) {
            std::int16_t v;
            std::memcpy(&v, m_samples.constData() + at, 2);
            peak = std::max(peak, std::abs(int(v)));
        }
        return peak;
    }

private:
    void drain()
    {
        m_parec.waitForReadyRead(50);
        m_samples += m_parec.readAllStandardOutput();
    }

    QProcess m_parec;
    QByteArray m_samples;
    qsizetype m_mark = 0;
};
