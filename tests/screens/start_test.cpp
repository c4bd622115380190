// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start of the program, run in-process with the error box recorded: a
// start that fails on the clock's files, and a whole run from "Start" to
// "Vége". The last test terminates the application object, so this program
// keeps them apart from the other screen tests.
#include <gtest/gtest.h>

#include "Application.h"
#include "Button.h"
#include "Colorschiessen1.h"
#include "DesktopWindow.h"
#include "Farbenschiessen1.h"
#include "Gewonnen1.h"
#include "Konfiguration1.h"
#include "Level1.h"
#include "Naechsterspieler1.h"
#include "Programmstart.h"
#include "QtTestMain.h"
#include "Spielobjekte.h"
#include "Testumgebung.h"
#include "Tintariumstart1.h"

#include <QTimer>

namespace {

// Starts the program in a folder with the given media and records the boxes,
// and whether any screen could be seen when each box came up.
struct Startlauf {
    explicit Startlauf(const Testordner::Inhalt& inhalt)
        : ordner(inhalt)
    {
        TApplication::instance()->setErrorBoxHandler([this](const QString&, const QString& text) {
            meldungen.append(text);
            const TDesktopWindow* fenster = TApplication::instance()->desktopWindow();
            for (const QWidget* f : fenster->layers())
                sichtbar = sichtbar || fenster->isLayerVisible(f);
        });
        ergebnis = Programmstart(*TApplication::instance());
        installPrintingErrorBox();
    }
    Testordner ordner;
    QStringList meldungen;
    bool sichtbar = false;
    int ergebnis = -1;
};

void allesAufgeraeumt()
{
    EXPECT_TRUE(TApplication::instance()->desktopWindow()->layers().empty());
    EXPECT_EQ(TintariumStart, nullptr);
    EXPECT_EQ(FarbenSchiessen, nullptr);
    EXPECT_EQ(ColorSchiessen, nullptr);
    EXPECT_EQ(Gewonnen, nullptr);
    EXPECT_EQ(NaechsterSpieler, nullptr);
    EXPECT_EQ(Konfiguration, nullptr);
    EXPECT_EQ(Level, nullptr);
}

} // namespace

TEST(Programmstart, OhneUhrclipMeldungUndEnde)
{
    Testordner::Inhalt inhalt;
    inhalt.uhrAvi = false;
    Startlauf lauf(inhalt);
    EXPECT_EQ(lauf.ergebnis, 0);
    EXPECT_EQ(lauf.meldungen, QStringList { QString::fromUtf8("AVI kann nicht geöffnet werden.") });
    EXPECT_FALSE(lauf.sichtbar);
    allesAufgeraeumt();
}

TEST(Programmstart, OhneSegmentbildMeldungUndEnde)
{
    Testordner::Inhalt inhalt;
    inhalt.uhrBmp = false;
    Startlauf lauf(inhalt);
    EXPECT_EQ(lauf.ergebnis, 0);
    EXPECT_EQ(lauf.meldungen, QStringList { QString::fromUtf8("Datei TintariumUhr.bmp kann nicht geöffnet werden.") });
    EXPECT_FALSE(lauf.sichtbar);
    allesAufgeraeumt();
}

TEST(Programmstart, VonStartBisVege)
{
    bool nurStartGezeigt = false;
    QString titel;
    QTimer::singleShot(0, [&] {
        nurStartGezeigt = TintariumStart->Visible() && !FarbenSchiessen->Visible() && !ColorSchiessen->Visible()
            && !Gewonnen->Visible() && !NaechsterSpieler->Visible();
        titel = TApplication::instance()->title();
        TintariumStart->Ok->click();
        // Leaving from the middle of a game: boards and a running clock are
        // taken down with the screens.
        FarbenSchiessen->Button1->click();
        FarbenSchiessen->Ende->click();
    });
    Startlauf lauf(Testordner::Inhalt {});
    EXPECT_EQ(lauf.ergebnis, 0);
    EXPECT_TRUE(lauf.meldungen.isEmpty());
    EXPECT_TRUE(nurStartGezeigt);
    EXPECT_EQ(titel, QStringLiteral("Tintarium"));
    allesAufgeraeumt();
}
