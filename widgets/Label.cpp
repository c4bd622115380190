// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing, automatic sizing and the click of the label.
#include "Label.h"

#include "AccessibleChange.h"
#include "Application.h"
#include "Colors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TLabel::TLabel(QWidget* parent)
    : TGraphicControl(parent)
{
    adjustSize();
}

void TLabel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    adjustSize();
    update();
    announceAccessibleChange(this, QAccessible::NameChanged);
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustSize();
}

void TLabel::setWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    adjustSize();
    update();
}

void TLabel::setCentered(bool centered)
{
    if (centered == m_centered)
        return;
    m_centered = centered;
    update();
}

void TLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TLabel::setColor(TColor color)
{
    if (m_color && *m_color == color)
        return;
    m_color = color;
    update();
}

void TLabel::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

int TLabel::textFlags() const
{
    return Qt::AlignTop | (m_centered ? Qt::AlignHCenter : Qt::AlignLeft)
        | (m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

void TLabel::adjustSize()
{
    if (!m_autoSize || m_adjusting)
        return;
    m_adjusting = true;
    const QFontMetrics metrics(font());
    if (m_wordWrap) {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width(), 1), 100000), textFlags(), m_caption);
        resize(width(), std::max(bounds.height(), metrics.height()));
    } else {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, 100000, 100000), textFlags(), m_caption);
        resize(bounds.width(), std::max(bounds.height(), metrics.height()));
    }
    m_adjusting = false;
}

void TLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        adjustSize();
    TGraphicControl::changeEvent(event);
}

void TLabel::resizeEvent(QResizeEvent*)
{
    // A new width changes the height of wrapped text.
    if (m_wordWrap)
        adjustSize();
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent) {
        const QColor fill = m_color
            ? toQColor(*m_color)
            : (parentWidget() ? parentWidget()->palette().color(QPalette::Window) : toQColor(clBtnFace));
        painter.fillRect(rect(), fill);
    }
    painter.setPen(toQColor(m_fontColor));
    painter.setFont(font());
    painter.drawText(rect(), textFlags(), m_caption);
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
}

void TLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double-click's own release makes no second click.
    event->accept();
    m_leftPressed = false;
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint())) {
        const auto handler = onClick;
        TApplication::invoke(handler);
    }
}
