// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// TAnimate: the clock animation. It opens an AVI clip when its file name is
// set, has every frame decoded at once (by AviReader), and plays ranges of
// frames on the clip's own timing. Its stop event `onStop` is what the game counts clock
// segments by, so when it is raised is fixed exactly:
//  - a play that runs through its last frame of its last repetition raises it
//    once, from the event loop (the widget's timer event);
//  - Play while a play runs: the new play starts, then the cut-short play
//    raises its onStop synchronously inside Play, before Play returns (so
//    always before the new play can raise its own);
//  - Stop raises it inside the call, whether or not a play was running, and
//    the stopped play raises nothing more.
// A refused play (bad range or count) starts nothing and raises nothing.
// Exceptions thrown by onStop propagate to the caller (Play, Stop) or out of
// the timer event to the application's notify.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class PreciseTimer;

class TAnimate : public QWidget {
    Q_OBJECT
public:
    explicit TAnimate(QWidget* parent);
    ~TAnimate() override;

    // Opens the clip at once; a name equal to the current one (ignoring case)
    // does nothing. Throws EToolkitError("AVI kann nicht geöffnet werden") and
    // keeps the previous clip and settings when the clip cannot be opened.
    void setFileName(const QString& name);
    QString fileName() const { return m_fileName; }

    // Plays frames first..last (numbered from 1) count times (0 = endlessly)
    // and returns at once. Opens the clip named by fileName() first if none
    // is open (throwing like setFileName).
    void Play(int first, int last, int count);
    // Ends the play, shows frame 1 and raises onStop before returning.
    void Stop();

    std::function<void()> onStop;

    bool isOpen() const { return !m_frames.empty(); }
    int frameCount() const { return static_cast<int>(m_frames.size()); }
    std::int64_t microsecondsPerFrame() const { return m_usPerFrame; }
    bool isPlaying() const { return m_playing; }
    // The frame on show, numbered from 1 (0 with no clip open).
    int currentFrame() const { return m_current + 1; }
    // The decoded frame `number` (from 1), for tests and tools.
    QImage frame(int number) const;

    // Time seam: microseconds of a monotonic clock. The default reads
    // std::chrono::steady_clock. Tests install their own, move it, and call
    // catchUp() instead of waiting for the timer.
    using TimeSource = std::function<std::int64_t()>;
    void setTimeSource(TimeSource source);
    // Brings the play up to the time source's now: shows the frame due,
    // raises onStop if the play has ended, and re-arms the timer.
    void catchUp();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void open(const QString& name);
    void showFrame(int index);
    void schedule(std::int64_t now);

    QString m_fileName;
    std::vector<QImage> m_frames;
    std::int64_t m_usPerFrame = 0;
    int m_current = 0; // index into m_frames of the frame on show

    // The running play: frames m_first..m_last (indexes), m_count passes
    // (0 = endless), starting at m_start on the time source.
    bool m_playing = false;
    int m_first = 0;
    int m_last = 0;
    int m_count = 0;
    std::int64_t m_start = 0;

    TimeSource m_now;
    PreciseTimer* m_timer; // single-shot by use, microsecond deadlines
};
