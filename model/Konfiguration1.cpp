// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings record's start values.
#include "Konfiguration1.h"

TKonfiguration::TKonfiguration()
    : AnzahlKarten(20)
    , AnzahlSpieler(2)
    , SpielerNamen {}
    , KartenProZeile(5)
{
}
