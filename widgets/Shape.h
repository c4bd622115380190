// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A geometric figure without a window of its own: filled with a solid brush
// and outlined by a black one-pixel pen, rasterised here pixel by pixel (no
// antialiasing) so that its pixels are exact. onMouseDown runs for a press of
// any mouse button over the whole rectangle, and again for the second press
// of a double-click. Setters that change nothing do not repaint.
#pragma once

#include "GraphicControl.h"
#include "Typen.h"

#include <QImage>

#include <functional>

class TShape : public TGraphicControl {
    Q_OBJECT

public:
    // 65 x 65, stRectangle, white brush.
    explicit TShape(QWidget* parent);

    void setShape(TShapeType shape);
    TShapeType shape() const { return m_shape; }
    void setBrushColor(TColor color);
    // Exactly the value last written, system colours included.
    TColor brushColor() const { return m_brushColor; }

    // The figure for a widget of the given size: brush and pen pixels opaque,
    // the rest transparent.
    static QImage render(TShapeType shape, QSize size, const QColor& brush);

    std::function<void()> onMouseDown;
    // Runs onMouseDown as a press of a mouse button does: the keyboard's and
    // assistive technology's way of pressing the shape.
    void press();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void invalidate();

    TShapeType m_shape = stRectangle;
    TColor m_brushColor = clWhite;
    // The figure drawn last, made again at the next paint after a change: a
    // tile that changes size, kind and colour in one turn, or stays hidden,
    // costs at most one rendering.
    QImage m_figure;
    bool m_figureStale = true;
};
