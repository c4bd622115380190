// Drawing of the static text.
#include "StaticText.h"

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
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void TStaticText::setColor(TColor color)
{
    if (color_ && *color_ == color)
        return;
    color_ = color;
    update();
}

void TStaticText::setFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

void TStaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_ ? toQColor(*color_) : palette().color(QPalette::Window));
    painter.setPen(toQColor(fontColor_));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
}
