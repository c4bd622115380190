// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Program start and end.
#include "Programmstart.h"

#include "Accessibility.h"
#include "Application.h"
#include "Bilder.h"
#include "Colorschiessen1.h"
#include "Farbenschiessen1.h"
#include "Gewonnen1.h"
#include "Naechsterspieler1.h"
#include "Tintariumstart1.h"
#include "ToolkitError.h"

#include <QString>

#include <exception>

int Programmstart(TApplication& app)
{
    try {
        initMediaResources();
        installAccessibility();
        app.setTitle(QStringLiteral("Tintarium"));
        app.setIcon(Programmsymbol());
        // The order carries the dependencies: the setup screen makes the
        // settings that the game screen reads; the start screen is the main
        // window.
        FormErzeugen(TintariumStart);
        FormErzeugen(FarbenSchiessen);
        FormErzeugen(ColorSchiessen);
        FormErzeugen(Gewonnen);
        FormErzeugen(NaechsterSpieler);
        app.run();
    } catch (const EToolkitError& fehler) {
        app.showException(fehler.text());
    } catch (const std::exception& fehler) {
        // Not the toolkit's, but the player is told all the same rather than
        // the program vanishing.
        app.showException(QString::fromUtf8(fehler.what()));
    }
    // The game screen's teardown still reads the settings, which go with the
    // setup screen: the last screen made goes first.
    app.destroyForms();
    return 0;
}
