// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colours of the house style shared by the pictures, the icon and the
// clock clip: the five rainbow colours of the eye logo and the text greys.
#pragma once

#include <QColor>

#include <array>

namespace Farben {

inline const QColor Gelb { 255, 200, 0 };
inline const QColor Gruen { 46, 178, 74 };
inline const QColor Blau { 0, 122, 224 };
inline const QColor Violett { 122, 64, 190 };
inline const QColor Magenta { 222, 0, 138 };
inline const std::array<QColor, 5> Regenbogen { Gelb, Gruen, Blau, Violett, Magenta };

// The dark grey of the title word and the light part of the brand word.
inline const QColor Dunkelgrau { 68, 68, 68 };
inline const QColor Schwarz { 0, 0, 0 };

} // namespace Farben
