// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fixture of the game screen tests: media in a private folder, the five
// screens, a desktop of 1024 x 768, and the clock on a time source the test
// moves by hand, so that clock segments expire exactly when a test says.
#pragma once

#include <gtest/gtest.h>

#include "Animate.h"
#include "Application.h"
#include "Colorschiessen1.h"
#include "Farbenschiessen1.h"
#include "Kartenbild.h"
#include "RadioGroup.h"
#include "Shape.h"
#include "Spielablauf.h"
#include "Testumgebung.h"

#include <QSize>

class Spielfixture : public ::testing::Test {
protected:
    struct Desktop {
        Desktop() { TApplication::setDesktopSizeForTests(QSize(1024, 768)); }
        ~Desktop() { TApplication::setDesktopSizeForTests(QSize()); }
    };

    Spielfixture()
    {
        ColorSchiessen->Uhr->setTimeSource([this] { return m_jetzt; });
    }

    TColorSchiessen& bild() { return *ColorSchiessen; }
    TSpielablauf& spiel() { return ColorSchiessen->Spiel(); }

    // "Játék" on the setup screen with these choices.
    void spielStarten(int spieler, int stufe)
    {
        FarbenSchiessen->KAnzahlSpieler->setItemIndex(spieler - 1);
        FarbenSchiessen->Schwierigkeitsstufe->setItemIndex(stufe);
        FarbenSchiessen->Show();
        FarbenSchiessen->Button1Click();
    }

    // One clock segment (frames 1 to 15 of the test clip) passes.
    void segmentAblaufen()
    {
        m_jetzt += 15 * std::int64_t { Testordner::Inhalt {}.mikrosekundenProBild } + 1;
        bild().Uhr->catchUp();
    }

    // A shown tile with (treffer) or without the target colour, or -1.
    int karteSuchen(bool treffer)
    {
        const auto& feld = spiel().Kartenfeld;
        for (std::size_t i = 0; i < feld.size(); ++i)
            if (feld[i].Form.Visible && (feld[i].Farbe == spiel().Zielfarbe) == treffer)
                return static_cast<int>(i);
        return -1;
    }

    // Skips turns until a shown tile of the wanted kind exists.
    int karteBesorgen(bool treffer)
    {
        for (int versuch = 0; versuch < 200; ++versuch) {
            const int i = karteSuchen(treffer);
            if (i >= 0)
                return i;
            bild().NeueFarbeClick();
        }
        ADD_FAILURE() << "no suitable tile after 200 turns";
        return -1;
    }

    // A mouse press in the middle of tile i, through the window.
    void karteDruecken(int i, Qt::MouseButton taste = Qt::LeftButton)
    {
        const QRect form = bild().Karten[static_cast<std::size_t>(i)]->Form->geometry();
        mausKlick(bild().Feld, form.center(), taste);
    }

    QImage aufnahme() { return bild().grab().toImage(); }

    Desktop m_desktop;
    Testordner m_ordner;
    Bildschirme m_bildschirme;
    std::int64_t m_jetzt = 0;
};
