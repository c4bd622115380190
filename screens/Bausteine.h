// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The little builders the screens' layouts share. Each makes one widget in
// `parent` at its place in the layout and gives it what the screens give
// every widget of its kind, so that a screen's constructor reads like its
// layout table: one widget a line, in the order of creation, which is also
// the stacking order of the widgets without a window of their own.
#pragma once

#include "Typen.h"

#include <utility>

class QFont;
class QImage;
class QString;
class QWidget;
class TButton;
class TGroupBox;
class TImage;
class TLabel;
class TStaticText;

// The screens' face ("MS Sans Serif", which "Liberation Sans" stands in
// for) at a character height in pixels.
QFont Schrift(int pixel);

// A built-in picture, drawn at its natural size and clipped to the widget;
// `name` is what assistive technology reads for it.
TImage* Bild(QWidget* parent, int left, int top, int width, int height, const QImage& picture, const QString& name);

// A group box without a caption.
TGroupBox* Rahmen(QWidget* parent, int left, int top, int width, int height);

// A title strip, 17 pixels high: white 13-pixel text on the bright blue.
TStaticText* Titelleiste(QWidget* parent, int left, int top, int width, const QString& text);

// A frame 27 pixels high with a title strip docked to its bottom, as the
// screens lay it over the top edge of the box it names.
std::pair<TGroupBox*, TStaticText*> Titelrahmen(QWidget* parent, int left, int top, int width, const QString& text);

// A button of the screens' right-hand column: left 720, 75 x 25.
TButton* Knopf(QWidget* parent, int top, const QString& text);

// A line of large text (24 pixels) of fixed size, wrapped at word boundaries.
TLabel* Zeile(QWidget* parent, int left, int top, int width, int height, TColor farbe, const QString& text);
