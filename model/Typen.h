// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plain value types shared by the game model and the toolkit layer:
// colours as 32-bit values and the numbered shape kinds.
#pragma once

#include <cstdint>

// Red in the low byte, green in the second, blue in the third. Values from
// 0x80000000 up name system colours that the toolkit resolves when drawing.
using TColor = std::uint32_t;

inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
// The bright blue of title strips and of the current player's title.
inline constexpr TColor clTitelblau = 0xFF8000;
// The light grey of the winner panel.
inline constexpr TColor clPanelgrau = 0xD7D7D7;

// The game picks kinds by number (random tiles, level-dependent target), so
// the values are fixed.
enum TShapeType : int {
    stRectangle = 0,
    stSquare = 1,
    stRoundRect = 2,
    stRoundSquare = 3,
    stEllipse = 4,
    stCircle = 5,
};
