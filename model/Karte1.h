// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One tile of the field: a shape the player clicks (Form) and a small reveal
// label (Hinweis) that reads "true" when the tile has the target colour. Both
// are plain state under the toolkit's property names; the game screen copies
// them into its widgets after every event.
#pragma once

#include <cstdint>

#include "Beschriftung.h"
#include "Figur.h"
#include "Typen.h"

class TSpielablauf;

class TKarten {
public:
    // A hidden 50 x 50 stRoundRect with a white label, belonging to `spiel`,
    // whose Zielfarbe and Verraten the tile reads and whose Schuss a
    // mouse-down starts.
    explicit TKarten(TSpielablauf& spiel);

    // Start-of-game form: hidden 75 x 75 stRoundRect; the label is untouched.
    void Zuruecksetzen();
    // Shape at (x, y); label at (x + 10, y + Height / 2).
    void Platzieren(std::int32_t x, std::int32_t y);
    // Gives the tile colour f and rewrites its label: "true" when f is the
    // target colour, visible when Verraten is on and the tile is shown.
    void SetzeFarbe(TColor f);
    // Mouse-down on the shape (any button): on a shown tile sets Getroffen
    // and starts the shot evaluation; on a hidden one does nothing.
    void KarteMouseDown();

    TColor Farbe = clWhite;
    TBeschriftung Hinweis;
    TFigur Form;
    // 1 from a mouse-down on the shown tile until Schuss clears it.
    std::int32_t Getroffen = 0;

private:
    TSpielablauf* Spiel;
};
