// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The level record: difficulty rows and the level schedule.
#include "Level1.h"

TLevel::TLevel()
    : Stufe(-1)
    , VorlageBleibt(Schwierigkeitstabelle[0].VorlageBleibt)
    , Sichtdauer(1)
    , AnzahlSichtbar(Schwierigkeitstabelle[0].AnzahlSichtbar)
    , Abweichung(Stufenplan[0])
{
    NaechsteStufe();
}

std::int32_t TLevel::NaechsteStufe()
{
    ++Stufe;
    Sichtdauer = 1;
    if (Stufe >= 0 && Stufe < static_cast<std::int32_t>(Stufenplan.size()))
        Abweichung = Stufenplan[static_cast<std::size_t>(Stufe)];
    return Stufe;
}

bool TLevel::SchwierigkeitAnwenden(std::int32_t index)
{
    if (index < 0 || index >= static_cast<std::int32_t>(Schwierigkeitstabelle.size()))
        return false;
    const TSchwierigkeit& zeile = Schwierigkeitstabelle[static_cast<std::size_t>(index)];
    AnzahlSichtbar = zeile.AnzahlSichtbar;
    VorlageBleibt = zeile.VorlageBleibt;
    return true;
}

void TLevel::Neustart()
{
    Stufe = -1;
    NaechsteStufe();
}
