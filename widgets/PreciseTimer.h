// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A single-shot timer with microsecond resolution, for the clock animation:
// QTimer counts whole milliseconds, which makes every clock segment end up to
// a millisecond late. It waits on a Linux timerfd watched by the event loop,
// so nothing runs between wake-ups; where no timerfd can be had it falls back
// to a millisecond QTimer rounded up (never early).
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QSocketNotifier;
class QTimer;

class PreciseTimer : public QObject {
    Q_OBJECT
public:
    explicit PreciseTimer(QObject* parent);
    ~PreciseTimer() override;

    // Fires `onTimeout` once, `microseconds` from now (0 or less: at once,
    // from the event loop). Restarting replaces a pending wake-up.
    void start(std::int64_t microseconds);
    void stop();
    bool isActive() const { return m_active; }

    std::function<void()> onTimeout;

private:
    void fire();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_fallback = nullptr;
    bool m_active = false;
};
