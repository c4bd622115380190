// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The state of one shape widget (a tile or a hit mark) under the toolkit's
// property names. The model keeps it as plain data; the game screen copies it
// into its shape widgets.
#pragma once

#include <cstdint>

#include "Typen.h"

struct TFigur {
    TShapeType Shape = stRectangle;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 65;
    std::int32_t Height = 65;
    bool Visible = false;
    // Brush.Color; the outline is always the toolkit's default (black, 1 px).
    TColor BrushColor = clWhite;
};
