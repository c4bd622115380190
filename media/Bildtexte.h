// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The words drawn into the built-in pictures: the generator draws them, and
// assistive technology reads them for the pictures.
#pragma once

namespace Bildtexte {

inline constexpr char Motto[] = "Erkennen Sie die richtige Farbe wieder!";
inline constexpr char Fusszeile[] = "irisoft Spiele \u00B7 Wir bringen Farbe ins Spiel";

} // namespace Bildtexte
