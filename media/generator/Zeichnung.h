// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing of the built-in pictures and the program icon: the eye logo, the
// brand word, the title word and the five screen pictures. Everything is drawn
// with QPainter from fixed geometry, so the same build gives the same pixels.
#pragma once

#include <QImage>

namespace Zeichnung {

QImage Titelbild(bool mitMotto);
QImage Kartenbild();
QImage Fussleiste();
QImage Spielleiste();
// The eye of the logo on a white rounded tile, `kante` pixels square.
QImage Programmsymbol(int kante);

} // namespace Zeichnung
