// The player's view of a Wayland desktop run by weston
// (tests/support/with-weston.sh): screenshots through weston's own
// screenshooter, and keys typed on the test keyboard of the compositor's
// weston_keys module. The compositor places windows itself, so the game's
// window is found in the screenshot.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

class WestonDesktop {
public:
    // The whole output as it is now; a null image if weston gave none.
    QImage screenshot() const;

    // Presses and releases a key ("Return", "Tab", "space"); false if the
    // compositor's keyboard cannot be reached.
    bool key(const QString& name) const;

    // The top-left corner of the game's window: the start of the first row
    // of at least 808 white pixels, which every screen's top row is.
    static std::optional<QPoint> gameWindow(const QImage& screenshot);
};
