// A raised container: a one-pixel raised outer bevel, optionally a raised
// inner bevel and a single-line border, filled with its colour (clBtnFace
// unless set), with its caption centred under any children.
#pragma once

#include "Typen.h"

#include <QWidget>

class TPanel : public QWidget {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setColor(TColor color);
    TColor color() const { return color_; }
    void setBevelInner(bool raised);
    void setBorderSingle(bool single);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    TColor color_ = clBtnFace;
    bool bevelInner_ = false;
    bool borderSingle_ = false;
};
