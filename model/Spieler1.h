// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One player's board: a frame at the right of the game screen, a title bar
// with the player's name and a grid of hit marks that fills up in the colours
// hit. All of it is plain state under the toolkit's property names; the game
// screen builds widgets from it and updates them after every event.
//
// Parents: Rahmen and Titelrahmen lie on the game screen itself, Titel on
// Titelrahmen, the marks on Rahmen; positions are relative to those parents.
// Titel has automatic sizing off, the screen's font face at 10 points, white.
// Titelrahmen is created after Rahmen and lies over its top strip.
#pragma once

#include <cstdint>
#include <vector>

#include "Figur.h"
#include "Kasten.h"
#include "Typen.h"

class TKonfiguration;
class TSpielansicht;

class TSpieler {
public:
    // Hits that win the game.
    static constexpr std::int32_t Siegtreffer = 16;

    // Builds the board of player `nummer` (0-based) with AnzahlKarten marks
    // and the name SpielerNamen[nummer]; `ansicht` shows the winner screen.
    TSpieler(std::int32_t nummer, const TKonfiguration& konfiguration, TSpielansicht& ansicht);

    // Records a hit in colour `farbe`: shows the next mark. Returns 0 while the
    // game goes on; at the sixteenth hit it shows the winner screen and returns
    // -1 once that has been closed. A full board records nothing more.
    std::int32_t NeuerTreffer(TColor farbe);

    TKasten Rahmen;
    // The hit marks in filling order.
    std::vector<TFigur> Treffer;
    TKasten Titelrahmen;
    TKasten Titel;
    std::int32_t AnzahlTreffer = 0;
    std::int32_t Nummer;

private:
    TSpielansicht* Ansicht;
};
