// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The 64-bit linear congruential generator behind every draw of the game.
#include "Zufallsquelle.h"

namespace {
constexpr std::uint32_t Startfaktor = 22695477u;
constexpr std::uint64_t Faktor = 0x15A00004E35ull; // 346 * 2^32 + 20021
} // namespace

void Zufallsquelle::ZufallStarten(std::uint32_t seed)
{
    // Unsigned arithmetic wraps modulo 2^32 as the generator needs.
    const std::uint32_t niedrig = seed * Startfaktor + 1u;
    Zustand = niedrig;
}

std::int32_t Zufallsquelle::Zufallswert()
{
    Zustand = Zustand * Faktor + 1u;
    return static_cast<std::int32_t>((Zustand >> 32) & 0x7FFFFFFFu);
}

std::int32_t Zufallsquelle::Zufall(std::int32_t n)
{
    if (n <= 0)
        return 0;
    return Zufallswert() % n;
}
