// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Small key tests shared by the form and the button.
#pragma once

#include <QKeyEvent>

// Return or the keypad's Enter, without Shift, Ctrl or Alt.
inline bool isEnterKey(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
