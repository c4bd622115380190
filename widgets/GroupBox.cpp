// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing of the group box (etched frame, caption) and its bottom docking.
#include "GroupBox.h"

#include "AccessibleChange.h"
#include "Colors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

TGroupBox::TGroupBox(QWidget* parent)
    : QWidget(parent)
{
    // Visible from the start, like the layouts' widgets: one created in a
    // container that is shown already appears at once.
    show();
}

void TGroupBox::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    announceAccessibleChange(this, QAccessible::NameChanged);
}

void TGroupBox::setColor(TColor color)
{
    if (m_color && *m_color == color)
        return;
    m_color = color;
    setBackground(this, color);
    update();
}

int TGroupBox::captionHeight() const
{
    return QFontMetrics(font()).height();
}

QRect TGroupBox::clientArea() const
{
    const int top = captionHeight();
    return QRect(2, top, width() - 4, height() - top - 2);
}

void TGroupBox::dockBottom(QWidget* child)
{
    if (!child)
        return;
    for (const auto& docked : m_docked)
        if (docked == child) {
            redock();
            return;
        }
    m_docked.emplace_back(child);
    redock();
}

void TGroupBox::redock()
{
    // Later docked children stack upward from the bottom, as with alBottom.
    int bottom = clientArea().bottom() + 1;
    const QRect area = clientArea();
    for (const auto& child : m_docked) {
        if (!child || child->parentWidget() != this || child->isHidden())
            continue;
        const int height = child->height();
        child->setGeometry(area.left(), bottom - height, area.width(), height);
        bottom -= height;
    }
}

void TGroupBox::resizeEvent(QResizeEvent*)
{
    redock();
}

void TGroupBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        redock();
    QWidget::changeEvent(event);
}

void TGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A windowed control covers what lies below it: without a colour of its
    // own it is filled with its parent's (inherited through the palette).
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(rect(), background);

    // Etched frame: a white line offset by one pixel under a grey one.
    const int h = captionHeight();
    QRect frame(1, h / 2, width() - 1, height() - h / 2);
    painter.setPen(toQColor(0x80000014)); // clBtnHighlight
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    frame.translate(-1, -1);
    painter.setPen(toQColor(0x80000010)); // clBtnShadow
    painter.drawRect(frame.adjusted(0, 0, -1, -1));

    if (!m_caption.isEmpty()) {
        const QFontMetrics metrics(font());
        const QRect text(8, 0, metrics.horizontalAdvance(m_caption), h);
        painter.fillRect(text, background);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
    }
}
