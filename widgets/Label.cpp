// Drawing, automatic sizing and the click of the label.
#include "Label.h"

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
    if (caption == caption_)
        return;
    caption_ = caption;
    adjustSize();
    update();
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    adjustSize();
}

void TLabel::setWordWrap(bool wordWrap)
{
    if (wordWrap == wordWrap_)
        return;
    wordWrap_ = wordWrap;
    adjustSize();
    update();
}

void TLabel::setCentered(bool centered)
{
    if (centered == centered_)
        return;
    centered_ = centered;
    update();
}

void TLabel::setTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    update();
}

void TLabel::setColor(TColor color)
{
    if (color_ && *color_ == color)
        return;
    color_ = color;
    update();
}

TColor TLabel::color() const
{
    return color_.value_or(clBtnFace);
}

void TLabel::setFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

int TLabel::textFlags() const
{
    return Qt::AlignTop | (centered_ ? Qt::AlignHCenter : Qt::AlignLeft)
        | (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
}

void TLabel::adjustSize()
{
    if (!autoSize_ || adjusting_)
        return;
    adjusting_ = true;
    const QFontMetrics metrics(font());
    if (wordWrap_) {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width(), 1), 100000), textFlags(), caption_);
        resize(width(), std::max(bounds.height(), metrics.height()));
    } else {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, 100000, 100000), textFlags(), caption_);
        resize(bounds.width(), std::max(bounds.height(), metrics.height()));
    }
    adjusting_ = false;
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
    if (wordWrap_)
        adjustSize();
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!transparent_) {
        const QColor fill = color_ ? toQColor(*color_)
            : (parentWidget() ? parentWidget()->palette().color(QPalette::Window) : toQColor(clBtnFace));
        painter.fillRect(rect(), fill);
    }
    painter.setPen(toQColor(fontColor_));
    painter.setFont(font());
    painter.drawText(rect(), textFlags(), caption_);
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
}

void TLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double-click's own release makes no second click.
    event->accept();
    leftPressed_ = false;
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !leftPressed_)
        return;
    leftPressed_ = false;
    if (rect().contains(event->position().toPoint())) {
        const auto handler = onClick;
        TApplication::invoke(handler);
    }
}
