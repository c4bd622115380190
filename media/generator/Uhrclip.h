// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock clip and the clock segment picture, drawn and written byte by
// byte: an uncompressed RIFF AVI (24-bit BI_RGB frames, bottom-up, with an
// idx1 index) and a 24-bit Windows bitmap whose bottom-left pixel carries
// the colour that the game shows as transparent.
#pragma once

#include <QByteArray>
#include <QImage>

namespace Uhrclip {

// 15 frames, one sweep of the hand, 7.5 frames per second: one clock
// segment (frames 1 to 15) lasts two seconds, a turn of six segments twelve.
inline constexpr int Bilder = 15;
inline constexpr int Breite = 84;
inline constexpr int Hoehe = 84;
inline constexpr int MikrosekundenProBild = 133333;

// Frame `nummer` (1 to Bilder): the hand stands (nummer - 1) / Bilder of a
// turn past the top, so frame 1 is the rest position shown when stopped.
QImage bild(int nummer);
QByteArray avi();

inline constexpr int SegmentKante = 30;
QImage segment();
QByteArray segmentBmp();

} // namespace Uhrclip
