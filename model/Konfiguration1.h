// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings of a game: the fixed size of the tile field and the choices of
// the setup screen (number of players and their names). The setup screen
// writes AnzahlSpieler and SpielerNamen before every game; the rest never
// changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class TKonfiguration {
public:
    TKonfiguration();

    // Tiles in the field; also the size of the distractor list and the number
    // of marks on a player board.
    std::int32_t AnzahlKarten;
    // 1 or 2.
    std::int32_t AnzahlSpieler;
    // UTF-8, at most 20 characters each (the setup screen's edits limit them).
    std::array<std::string, 2> SpielerNamen;
    // Tiles per row of the field layout.
    std::int32_t KartenProZeile;
};
