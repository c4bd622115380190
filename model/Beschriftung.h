// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The state of one label widget (a tile's reveal label) under the toolkit's
// property names. Font and automatic sizing stay at the toolkit's defaults for
// a label, so no size is kept here.
#pragma once

#include <cstdint>
#include <string>

#include "Typen.h"

struct TBeschriftung {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::string Caption;
    bool Visible = false;
    // Background colour.
    TColor Color = clWhite;
};
