// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The state of one framed widget of a player board (group box or static text)
// under the toolkit's property names. Positions are relative to the widget's
// parent.
#pragma once

#include <cstdint>
#include <string>

#include "Typen.h"

struct TKasten {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    // Background colour.
    TColor Color = clBtnFace;
    // UTF-8.
    std::string Caption;
    TColor FontColor = clWindowText;
};
