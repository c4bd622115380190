// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Rasterising the six shape kinds. The figure spans the box from x0, y0 of
// w x h pixels (the whole widget, or for the square kinds a square of side
// S = min(width, height) centred by half the difference, rounded toward
// zero). A pixel belongs to the figure when its centre lies in the ideal
// figure of that box; the pen takes the first and last figure pixel of every
// row and of every column, which gives a closed one-pixel outline.
#include "Shape.h"

#include "Application.h"
#include "Colors.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Doubled distance of a pixel centre from the centre of an extent of n
// pixels (so that it stays an integer): 2 * index + 1 - n.
std::int64_t doubledOffset(int index, int n)
{
    return 2 * std::int64_t(index) + 1 - n;
}

bool insideEllipse(int x, int y, int w, int h)
{
    const std::int64_t dx = doubledOffset(x, w);
    const std::int64_t dy = doubledOffset(y, h);
    const std::int64_t ww = std::int64_t(w) * w;
    const std::int64_t hh = std::int64_t(h) * h;
    return dx * dx * hh + dy * dy * ww <= ww * hh;
}

// Position along one side of a rounded rectangle within its corner ellipse
// of diameter e: the corners take the ellipse's halves (floor(e/2) pixels
// at the start, the rest at the end); between them the offset is 0.
std::int64_t cornerOffset(int index, int n, int e)
{
    const int startPart = e / 2;
    const int endPart = e - startPart;
    if (index < startPart)
        return doubledOffset(index, e);
    if (index >= n - endPart)
        return doubledOffset(index - (n - e), e);
    return 0;
}

bool insideRoundRect(int x, int y, int w, int h, int e)
{
    const std::int64_t dx = cornerOffset(x, w, e);
    const std::int64_t dy = cornerOffset(y, h, e);
    return dx * dx + dy * dy <= std::int64_t(e) * e;
}

} // namespace

TShape::TShape(QWidget* parent)
    : TGraphicControl(parent)
{
    resize(65, 65);
}

void TShape::setShape(TShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    invalidate();
}

void TShape::setBrushColor(TColor color)
{
    if (color == m_brushColor)
        return;
    m_brushColor = color;
    invalidate();
}

QImage TShape::render(TShapeType shape, QSize size, const QColor& brush)
{
    const int width = size.width();
    const int height = size.height();
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    const int side = std::min(width, height);
    int x0 = 0;
    int y0 = 0;
    int w = width;
    int h = height;
    if (shape == stSquare || shape == stRoundSquare || shape == stCircle) {
        x0 = (width - side) / 2;
        y0 = (height - side) / 2;
        w = side;
        h = side;
    }
    const int corner = side / 4;
    auto inside = [&](int x, int y) {
        switch (shape) {
        case stRoundRect:
        case stRoundSquare: return insideRoundRect(x, y, w, h, corner);
        case stEllipse:
        case stCircle: return insideEllipse(x, y, w, h);
        default: return true;
        }
    };

    // The figure is convex: every row and every column meets it in one run.
    std::vector<int> rowFirst(std::size_t(h), w), rowLast(std::size_t(h), -1);
    std::vector<int> colFirst(std::size_t(w), h), colLast(std::size_t(w), -1);
    std::vector<char> mask(std::size_t(w) * std::size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inside(x, y)) {
                mask[std::size_t(y) * std::size_t(w) + std::size_t(x)] = 1;
                rowFirst[std::size_t(y)] = std::min(rowFirst[std::size_t(y)], x);
                rowLast[std::size_t(y)] = std::max(rowLast[std::size_t(y)], x);
                colFirst[std::size_t(x)] = std::min(colFirst[std::size_t(x)], y);
                colLast[std::size_t(x)] = std::max(colLast[std::size_t(x)], y);
            }

    const QRgb fill = brush.rgba();
    const QRgb pen = qRgb(0, 0, 0);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y0 + y)) + x0;
        for (int x = 0; x < w; ++x) {
            if (!mask[std::size_t(y) * std::size_t(w) + std::size_t(x)])
                continue;
            const bool edge = x == rowFirst[std::size_t(y)] || x == rowLast[std::size_t(y)]
                || y == colFirst[std::size_t(x)] || y == colLast[std::size_t(x)];
            line[x] = edge ? pen : fill;
        }
    }
    return image;
}

void TShape::invalidate()
{
    m_figureStale = true;
    update();
}

void TShape::resizeEvent(QResizeEvent*)
{
    invalidate();
}

void TShape::paintEvent(QPaintEvent*)
{
    if (m_figureStale) {
        m_figure = render(m_shape, size(), toQColor(m_brushColor));
        m_figureStale = false;
    }
    if (m_figure.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_figure);
}

void TShape::mousePressEvent(QMouseEvent* event)
{
    // Every button counts; the double-click's second press arrives here too.
    event->accept();
    press();
}

void TShape::press()
{
    // A copy: the handler may replace itself.
    const auto handler = onMouseDown;
    TApplication::invoke(handler);
}
