// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tintarium: a colour-memory game for one or two players.
#include "Application.h"
#include "Programmstart.h"

#include <QGuiApplication>
#include <QString>

int main(int argc, char** argv)
{
    // The desktop entry the program belongs to (data/). On Wayland this is
    // the window's app id, by which the compositor finds the entry and its
    // icon; left alone, Qt would take the program's file name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARIUM_APP_ID));
    TApplication app(argc, argv);
    const int status = Programmstart(app);
    app.exitBeforePlatformTeardown(status);
    return status;
}
