// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// TColor to QColor. System colours use fixed values rather than the Qt style's
// palette, so that screens look the same under every style and in tests.
#include "Colors.h"

#include <QPalette>
#include <QWidget>

namespace {

QColor systemColor(unsigned index)
{
    switch (index) {
    case 5: // clWindow
    case 14: // clHighlightText
    case 20: // clBtnHighlight
        return QColor(255, 255, 255);
    case 13: // clHighlight
        return QColor(0, 120, 215);
    case 4: // clMenu
    case 15: // clBtnFace
        return QColor(240, 240, 240);
    case 16: // clBtnShadow
        return QColor(160, 160, 160);
    case 17: // clGrayText
        return QColor(109, 109, 109);
    case 22: // cl3DLight
        return QColor(227, 227, 227);
    case 21: // cl3DDkShadow
        return QColor(105, 105, 105);
    default: // clWindowText, clBtnText, clCaptionText, ... are black
        return QColor(0, 0, 0);
    }
}

} // namespace

QColor toQColor(TColor color)
{
    if (color & 0x80000000u)
        return systemColor(color & 0xFFu);
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}

void setBackground(QWidget* widget, TColor color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    widget->setPalette(pal);
}
