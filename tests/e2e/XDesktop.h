// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's view of the display: screenshots of the whole X screen, and
// real pointer and keyboard input through xdotool. Every wait is bounded.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

using namespace std::chrono_literals;

struct _XDisplay;

class XDesktop {
public:
    XDesktop();
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    bool connected() const { return m_display != nullptr; }

    // The whole screen as it is now.
    QImage screenshot() const;

    void click(QPoint at, int button = 1) const;
    void doubleClick(QPoint at) const;
    void key(const QString& keyName) const;
    void type(const QString& text) const;

    // Visible top-level windows whose name matches the pattern exactly.
    QStringList windowsNamed(const QString& name) const;
    // The window's place on the root window, as the X server has it.
    std::optional<QRect> windowGeometry(const QString& windowId) const;
    // The size of the whole X screen.
    QSize size() const;

    // Polls the predicate until it holds or the timeout runs out.
    static bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
        std::chrono::milliseconds every = 50ms);

    // Runs xdotool with the arguments; returns its standard output.
    QString xdotool(const QStringList& arguments) const;

private:
    _XDisplay* m_display = nullptr;
};
