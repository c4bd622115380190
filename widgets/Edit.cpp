// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The edit field is Qt's line edit: it refuses characters beyond maxLength()
// and passes Enter on to its parents.
#include "Edit.h"

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
}
