// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing of the panel's frame lines and caption.
#include "Panel.h"

#include "Colors.h"

#include <QPainter>

namespace {

// Draws a one-pixel frame around rect (top/left in one colour, bottom/right
// in the other) and shrinks rect by one pixel on every side.
void frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
    painter.fillRect(QRect(rect.left(), rect.bottom(), 1, 1), topLeft);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, 1), topLeft);
    rect.adjust(1, 1, -1, -1);
}

} // namespace

TPanel::TPanel(QWidget* parent)
    : QWidget(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
    setBackground(this, m_color);
}

void TPanel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TPanel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    setBackground(this, m_color);
    update();
}

void TPanel::setBevelInner(bool raised)
{
    if (raised == m_bevelInner)
        return;
    m_bevelInner = raised;
    update();
}

void TPanel::setBorderSingle(bool single)
{
    if (single == m_borderSingle)
        return;
    m_borderSingle = single;
    update();
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_color));
    const QColor highlight = toQColor(0x80000014); // clBtnHighlight
    const QColor shadow = toQColor(0x80000010); // clBtnShadow
    QRect frame = rect();
    if (m_borderSingle)
        frame3D(painter, frame, Qt::black, Qt::black);
    frame3D(painter, frame, highlight, shadow);
    if (m_bevelInner)
        frame3D(painter, frame, highlight, shadow);
    if (!m_caption.isEmpty()) {
        painter.setPen(toQColor(clWindowText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    }
}
