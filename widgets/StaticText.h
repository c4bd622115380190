// A text with a window of its own, drawn in its font colour on its
// background colour; its size is always set by the program.
#pragma once

#include "Typen.h"

#include <QWidget>

class TStaticText : public QWidget {
    Q_OBJECT

public:
    explicit TStaticText(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setColor(TColor color);
    TColor color() const { return color_; }
    void setFontColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
};
