// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The level record: everything that makes a turn easy or hard. The difficulty
// table is applied by the setup screen before every game; the level schedule
// is walked down by NaechsteStufe as the hits of all players accumulate.
#pragma once

#include <array>
#include <cstdint>

class TLevel {
public:
    // One row of the difficulty table.
    struct TSchwierigkeit {
        std::int32_t AnzahlSichtbar;
        bool VorlageBleibt;
    };

    // Rows 0 (easiest) to 4 (hardest).
    static constexpr std::array<TSchwierigkeit, 5> Schwierigkeitstabelle { { { 5, true }, { 6, true }, { 7, false },
        { 8, false }, { 9, false } } };

    // Abweichung for Stufe 0 to 5; from Stufe 6 on it stays at the last value.
    static constexpr std::array<std::int32_t, 6> Stufenplan { 60, 50, 40, 30, 20, 10 };

    // Stufe 0, Sichtdauer 1, Abweichung 60. AnzahlSichtbar and VorlageBleibt
    // start as difficulty row 0 until the setup screen applies its choice.
    TLevel();

    // Raises Stufe by one, sets Sichtdauer to 1 and Abweichung from the
    // schedule; returns the new Stufe.
    std::int32_t NaechsteStufe();

    // Writes AnzahlSichtbar and VorlageBleibt from row `index` of the
    // difficulty table. An index outside 0..4 changes nothing and returns
    // false.
    bool SchwierigkeitAnwenden(std::int32_t index);

    // Puts Stufe, Sichtdauer and Abweichung back to their values after
    // construction; a new game starts the level schedule again.
    void Neustart();

    std::int32_t Stufe;
    // True: the target display stays visible for the whole turn.
    bool VorlageBleibt;
    // Expired clock segments after which the target display is hidden while
    // VorlageBleibt is false.
    std::int32_t Sichtdauer;
    // Tiles shown per turn, 5 to 9.
    std::int32_t AnzahlSichtbar;
    // Colour spread of the current level.
    std::int32_t Abweichung;
};
