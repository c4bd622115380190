// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What assistive technology reads of the widget kinds. Qt bridges its
// accessibility tree to AT-SPI on Linux, but it knows only its own widget
// classes: left alone, every kind of ours (labels, static texts, group boxes,
// panels, pictures, shapes, the screens and the window) would be a nameless
// filler. The interfaces installed here give each kind its role and its
// visible caption as its name; the functions below add what a screen knows
// and a widget does not: which text titles a box or names an edit, a value
// (hits, clock segments), the place a shape stands for, the item under a
// keyboard cursor, and widgets left out altogether.
//
// Nothing here reads a colour, and no interface reports one: a shape says
// its name (set by the screen), never its colour, kind or size.
#pragma once

class QRect;
class QWidget;

// Installs the interfaces; the program's start calls it, before any screen
// is made.
void installAccessibility();

// `widget` is named and labelled by `label`'s caption (a TStaticText or a
// TLabel), without its leading and trailing blanks.
void setAccessibleLabel(QWidget* widget, QWidget* label);

// A number read with the widget (a board's hits, the clock's remaining
// segments), from 0 to `maximum`; a change is announced.
void setAccessibleValue(QWidget* widget, int value, int maximum);

// The area assistive technology is told the widget takes, in its parent's
// coordinates, instead of its own geometry.
void setAccessibleArea(QWidget* widget, const QRect& area);

// Leaves the widget out of its parent's children: for drawing aids and
// secret click areas that a player cannot see as elements.
void setAccessibleIgnored(QWidget* widget);

// While `container` has the keyboard focus, `item` (one of its children) is
// the focused element, as the current cell of a table is; the focus on it is
// announced. Null for none.
void setAccessibleCurrentItem(QWidget* container, QWidget* item);
