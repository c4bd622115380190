// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fonts of the screens. The layouts were made for "MS Sans Serif" and "Arial";
// both are substituted by "Liberation Sans", whose metrics are close, so
// texts keep their sizes. Heights are character heights in pixels.
#pragma once

#include <QFont>
#include <QString>

QFont pixelFont(const QString& family, int pixelHeight);

// Registers the substitutions; the TApplication constructor calls it.
void installFontSubstitutions();
