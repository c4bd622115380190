// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's view of a Wayland desktop run by weston
// (tests/support/with-weston.sh): screenshots through weston's own
// screenshooter, keys typed on the test keyboard of the compositor's
// weston_keys module, and what the desktop knows of each window from the
// requests it received (weston's protocol log, read with weston-debug). The
// compositor places windows itself, so the game's window is found in the
// screenshot.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QProcess;
class QTemporaryDir;

class WestonDesktop {
public:
    // Subscribes to weston's protocol log (its debug extension, which
    // with-weston.sh enables), so that windows mapped from now on are seen.
    WestonDesktop();
    ~WestonDesktop();

    // The application ids that windows have given the compositor
    // (xdg_toplevel.set_app_id), in the order given; empty if the protocol
    // log could not be read.
    QStringList appIds() const;

    // The whole output as it is now; a null image if weston gave none.
    QImage screenshot() const;

    // Presses and releases a key ("Return", "Tab", "space"); false if the
    // compositor's keyboard cannot be reached.
    bool key(const QString& name) const;

    // The top-left corner of the game's window: the start of the first row
    // of at least 808 white pixels, which every screen's top row is.
    static std::optional<QPoint> gameWindow(const QImage& screenshot);

private:
    QString protocolFile() const;

    std::unique_ptr<QTemporaryDir> m_protocolFolder;
    std::unique_ptr<QProcess> m_protocolLog;
};
