// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's single random source: a 64-bit linear congruential generator
// whose draws are reproduced bit for bit, so a seed always gives the same game.
// It is passed to everything that draws (colours, tile showing) rather than
// hidden behind a global.
#pragma once

#include <cstdint>

class Zufallsquelle {
public:
    // Low half := seed stepped once by x * 22695477 + 1; high half := 0.
    void ZufallStarten(std::uint32_t seed);

    // One raw draw, 0 to 2147483647.
    std::int32_t Zufallswert();

    // A draw from 0 to n - 1. For n <= 0 it returns 0 and consumes nothing.
    std::int32_t Zufall(std::int32_t n);

    std::uint64_t Zustand = 0;
};
