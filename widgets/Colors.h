// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Conversion of the game's TColor values (red in the low byte, system colours
// from 0x80000000 up) into Qt colours.
#pragma once

#include "Typen.h"

#include <QColor>

class QWidget;

// Plain colours map byte by byte; system colours are resolved to the classic
// desktop defaults (clBtnFace 240,240,240; clWindowText black; ...).
QColor toQColor(TColor color);

// Gives the widget the colour as its background (the palette's Window role).
void setBackground(QWidget* widget, TColor color);
