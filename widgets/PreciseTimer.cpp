// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The timerfd is armed relative to now with nanosecond fields; reading it
// clears its readiness, so one arming gives one wake-up.
#include "PreciseTimer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <limits>

#include <sys/timerfd.h>
#include <unistd.h>

PreciseTimer::PreciseTimer(QObject* parent)
    : QObject(parent)
    , m_fd(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PreciseTimer::fire);
    } else {
        m_fallback = new QTimer(this);
        m_fallback->setSingleShot(true);
        m_fallback->setTimerType(Qt::PreciseTimer);
        connect(m_fallback, &QTimer::timeout, this, &PreciseTimer::fire);
    }
}

PreciseTimer::~PreciseTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void PreciseTimer::start(std::int64_t microseconds)
{
    m_active = true;
    // A zero it_value would disarm the timerfd; one microsecond is "at once".
    const std::int64_t wait = std::max<std::int64_t>(microseconds, 1);
    if (m_fd >= 0) {
        itimerspec arming {};
        arming.it_value.tv_sec = static_cast<time_t>(wait / 1000000);
        arming.it_value.tv_nsec = static_cast<long>(wait % 1000000) * 1000;
        ::timerfd_settime(m_fd, 0, &arming, nullptr);
        return;
    }
    const std::int64_t ms = std::min<std::int64_t>((wait + 999) / 1000, std::numeric_limits<int>::max());
    m_fallback->start(static_cast<int>(ms));
}

void PreciseTimer::stop()
{
    m_active = false;
    if (m_fd >= 0) {
        const itimerspec disarm {};
        ::timerfd_settime(m_fd, 0, &disarm, nullptr);
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto drained = ::read(m_fd, &expirations, sizeof expirations);
    } else {
        m_fallback->stop();
    }
}

void PreciseTimer::fire()
{
    if (m_fd >= 0) {
        std::uint64_t expirations = 0;
        if (::read(m_fd, &expirations, sizeof expirations) != sizeof expirations)
            return; // a stale readiness after stop() or a re-arm
    }
    if (!m_active)
        return;
    m_active = false;
    if (onTimeout)
        onTimeout();
}
