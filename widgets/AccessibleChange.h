// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Telling assistive technology that a widget changed: its name, value,
// description, state or focus. The widget kinds whose captions are not Qt's
// own call it from their setters, and the accessibility layer for what the
// screens set; it costs nothing while no assistive technology listens.
#pragma once

#include <QAccessible>

class QWidget;

void announceAccessibleChange(QWidget* widget, QAccessible::Event event);
