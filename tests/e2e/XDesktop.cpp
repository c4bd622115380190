// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Screenshots come straight from the X server (XGetImage), which is quick
// enough to poll; input goes through xdotool, as a player's would.
// ("mousemove --sync" is avoided: it waits forever when the pointer is
// already where it is sent.)
#include "XDesktop.h"

#include <QProcess>
#include <QRect>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// A window may go away between finding it and asking about it; Xlib's own
// handler would end the test program on the BadWindow that follows.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

XDesktop::XDesktop()
    : m_display(XOpenDisplay(nullptr))
{
    XSetErrorHandler(ignoreXError);
}

XDesktop::~XDesktop()
{
    if (m_display)
        XCloseDisplay(m_display);
}

QImage XDesktop::screenshot() const
{
    if (!m_display)
        return {};
    const Window root = DefaultRootWindow(m_display);
    XWindowAttributes attributes {};
    XGetWindowAttributes(m_display, root, &attributes);
    XImage* image
        = XGetImage(m_display, root, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(int((pixel & image->red_mask) >> 16), int((pixel & image->green_mask) >> 8),
                int(pixel & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return result;
}

QString XDesktop::xdotool(const QStringList& arguments) const
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void XDesktop::click(QPoint at, int button) const
{
    xdotool({ "mousemove", QString::number(at.x()), QString::number(at.y()), "click", QString::number(button) });
}

void XDesktop::doubleClick(QPoint at) const
{
    xdotool({ "mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", "2", "--delay", "80",
        "1" });
}

void XDesktop::key(const QString& keyName) const
{
    xdotool({ "key", "--clearmodifiers", keyName });
}

void XDesktop::type(const QString& text) const
{
    xdotool({ "type", "--delay", "30", text });
}

QStringList XDesktop::windowsNamed(const QString& name) const
{
    const QString found = xdotool({ "search", "--onlyvisible", "--name", "^" + name + "$" });
    return found.isEmpty() ? QStringList {} : found.split('\n', Qt::SkipEmptyParts);
}

std::optional<QRect> XDesktop::windowGeometry(const QString& windowId) const
{
    // Where the X server has the window: its size, and its origin translated
    // to the root window's coordinates.
    bool valid = false;
    const Window window = windowId.toULong(&valid);
    if (!m_display || !valid)
        return std::nullopt;
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(m_display, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child))
        return std::nullopt;
    return QRect(x, y, attributes.width, attributes.height);
}

QSize XDesktop::size() const
{
    if (!m_display)
        return {};
    XWindowAttributes attributes {};
    XGetWindowAttributes(m_display, DefaultRootWindow(m_display), &attributes);
    return QSize(attributes.width, attributes.height);
}

bool XDesktop::waitUntil(
    const std::function<bool()>& condition, std::chrono::milliseconds timeout, std::chrono::milliseconds every)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QThread::msleep(static_cast<unsigned long>(every.count()));
    }
}
