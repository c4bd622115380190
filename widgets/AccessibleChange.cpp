// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Announcing a change over Qt's accessibility bridge.
#include "AccessibleChange.h"

#include <QWidget>

void announceAccessibleChange(QWidget* widget, QAccessible::Event event)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent change(widget, event);
    QAccessible::updateAccessibility(&change);
}
