// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tile and board widgets share in mirroring the model's plain state:
// a property is set only when it differs from what the widget shows (or when
// the widget shows nothing of the model yet), so an unchanged widget is never
// repainted.
#pragma once

class TShape;
struct TFigur;

// Whether two plain states (TFigur, TKasten) have the same position and size.
template <class Zustand> bool gleicheLage(const Zustand& a, const Zustand& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

// Brings the shape widget from what it shows, `ist`, to `soll`; with
// `bekannt` false every property is set.
void figurAbgleichen(TShape* form, const TFigur& soll, const TFigur& ist, bool bekannt);
