// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing of the static text.
#include "StaticText.h"

#include "AccessibleChange.h"
#include "Colors.h"

#include <QPainter>

TStaticText::TStaticText(QWidget* parent)
    : QWidget(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
}

void TStaticText::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    announceAccessibleChange(this, QAccessible::NameChanged);
}

void TStaticText::setColor(TColor color)
{
    if (m_color && *m_color == color)
        return;
    m_color = color;
    update();
}

void TStaticText::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TStaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color ? toQColor(*m_color) : palette().color(QPalette::Window));
    painter.setPen(toQColor(m_fontColor));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}
