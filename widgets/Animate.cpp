// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock animation: the clip is read by AviReader, and frame ranges are
// played on a schedule taken from a monotonic clock. Each play remembers when
// it started; frame k of a pass is due at start + (k - first) * d and the play
// ends at start + passes * (last - first + 1) * d, so lateness of one timer
// never carries into the next frame. One single-shot timer waits for the next
// deadline, and no timer runs while nothing plays.
#include "Animate.h"

#include "Application.h"
#include "AviReader.h"
#include "PreciseTimer.h"
#include "ToolkitError.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <chrono>

namespace {

[[noreturn]] void cannotOpen()
{
    throw EToolkitError(QString::fromUtf8("AVI kann nicht geöffnet werden"));
}

std::int64_t steadyMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TAnimate::TAnimate(QWidget* parent)
    : QWidget(parent)
    , m_now(steadyMicroseconds)
    , m_timer(new PreciseTimer(this))
{
    resize(100, 80);
    // An error from the stop handler must not unwind through Qt's event
    // dispatch; the application shows it once this wake-up is handled.
    m_timer->onTimeout = [this] { TApplication::invoke([this] { catchUp(); }); };
}

TAnimate::~TAnimate() = default;

void TAnimate::setFileName(const QString& name)
{
    if (name.compare(m_fileName, Qt::CaseInsensitive) == 0 && isOpen())
        return;
    open(name);
}

void TAnimate::open(const QString& name)
{
    if (name.isEmpty())
        cannotOpen();
    // Every failure to read, whatever its cause, is the one error the
    // widget knows; a file too large is not even read, and one that gives
    // no size (a pipe, a device) only up to one byte past the limit.
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.size() > AviReader::maxFileBytes)
        cannotOpen();
    AviReader::Clip clip;
    if (AviReader::read(file.read(AviReader::maxFileBytes + 1), clip) != AviReader::Outcome::Read)
        cannotOpen();

    // Only now, with the whole clip decoded, does the widget change.
    m_timer->stop();
    m_playing = false;
    m_fileName = name;
    m_frames = std::move(clip.frames);
    m_usPerFrame = clip.microsecondsPerFrame;
    m_current = 0;
    resize(clip.size);
    update();
}

QImage TAnimate::frame(int number) const
{
    if (number < 1 || number > frameCount())
        return {};
    return m_frames[static_cast<std::size_t>(number - 1)];
}

void TAnimate::setTimeSource(TimeSource source)
{
    m_now = source ? std::move(source) : TimeSource(steadyMicroseconds);
}

void TAnimate::Play(int first, int last, int count)
{
    if (!isOpen())
        open(m_fileName);
    if (first < 1 || last > frameCount() || first > last || count < 0)
        return; // refused: the running play, if any, goes on
    const bool cutShort = m_playing;
    m_playing = true;
    m_first = first - 1;
    m_last = last - 1;
    m_count = count;
    m_start = m_now();
    showFrame(m_first);
    schedule(m_start);
    // The play cut short reports its end now, before the new play can end.
    if (cutShort && onStop)
        onStop();
}

void TAnimate::Stop()
{
    m_playing = false;
    m_timer->stop();
    if (isOpen())
        showFrame(0);
    if (onStop)
        onStop();
}

void TAnimate::catchUp()
{
    if (!m_playing)
        return;
    const std::int64_t now = m_now();
    const std::int64_t passLength = m_last - m_first + 1;
    const std::int64_t shown = std::max<std::int64_t>(0, now - m_start) / m_usPerFrame;
    if (m_count > 0 && shown >= passLength * m_count) {
        m_playing = false;
        m_timer->stop();
        showFrame(m_last);
        if (onStop)
            onStop();
        return;
    }
    showFrame(m_first + static_cast<int>(shown % passLength));
    schedule(now);
}

void TAnimate::schedule(std::int64_t now)
{
    // The next frame is due when the next whole frame duration since the
    // start has passed; wake exactly then.
    const std::int64_t shown = std::max<std::int64_t>(0, now - m_start) / m_usPerFrame;
    const std::int64_t deadline = m_start + (shown + 1) * m_usPerFrame;
    m_timer->start(deadline - now);
}

void TAnimate::showFrame(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
}

void TAnimate::paintEvent(QPaintEvent*)
{
    if (!isOpen())
        return;
    const QImage& image = m_frames[static_cast<std::size_t>(m_current)];
    QPainter painter(this);
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}
