// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Shape pixels for every kind at square and non-square sizes, the defaults,
// the brush colour read back, presses of every button, and no repaint when a
// setter changes nothing.
#include "Application.h"
#include "Colors.h"
#include "Form.h"
#include "Shape.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

enum class Px { None, Pen, Brush };

Px classify(const QImage& image, int x, int y, QRgb brush)
{
    const QRgb p = image.pixel(x, y);
    if (qAlpha(p) == 0)
        return Px::None;
    if ((p & 0xFFFFFF) == 0)
        return Px::Pen;
    EXPECT_EQ(p & 0xFFFFFF, brush & 0xFFFFFF) << "at " << x << "," << y;
    return Px::Brush;
}

struct Sample {
    int x, y;
    Px expected;
};

void expectPixels(TShapeType kind, QSize size, std::initializer_list<Sample> samples)
{
    const QColor brush(10, 200, 30);
    const QImage image = TShape::render(kind, size, brush);
    ASSERT_EQ(image.size(), size);
    for (const Sample& s : samples)
        EXPECT_EQ(classify(image, s.x, s.y, brush.rgb()), s.expected)
            << "kind " << kind << " size " << size.width() << "x" << size.height() << " at " << s.x << "," << s.y;
}

// The bounding box of the opaque pixels.
QRect figureBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(ShapeGeometry, RectangleFillsTheWidgetWithAOnePixelOutline)
{
    for (QSize size : { QSize(65, 65), QSize(100, 40), QSize(7, 30) }) {
        const int r = size.width() - 1, b = size.height() - 1;
        expectPixels(stRectangle, size,
            { { 0, 0, Px::Pen }, { r, b, Px::Pen }, { r, 0, Px::Pen }, { 0, b, Px::Pen }, { 1, 1, Px::Brush },
                { r - 1, b - 1, Px::Brush }, { r / 2, 0, Px::Pen }, { r / 2, b / 2, Px::Brush } });
    }
}

TEST(ShapeGeometry, SquareIsCentredAlongTheLongerSideRoundedTowardZero)
{
    // 100 x 40: side 40 from x 30 to 69.
    expectPixels(stSquare, QSize(100, 40),
        { { 29, 20, Px::None }, { 30, 20, Px::Pen }, { 31, 20, Px::Brush }, { 69, 20, Px::Pen }, { 70, 20, Px::None },
            { 30, 0, Px::Pen }, { 69, 39, Px::Pen } });
    // 40 x 101: difference 61 halves to 30: y 30 to 69.
    expectPixels(stSquare, QSize(40, 101),
        { { 20, 29, Px::None }, { 20, 30, Px::Pen }, { 20, 69, Px::Pen }, { 20, 70, Px::None }, { 0, 50, Px::Pen } });
    EXPECT_EQ(figureBounds(TShape::render(stSquare, QSize(41, 20), Qt::red)), QRect(10, 0, 20, 20));
}

TEST(ShapeGeometry, EllipseTouchesAllFourEdgesAndLeavesTheCorners)
{
    for (QSize size : { QSize(65, 65), QSize(100, 40), QSize(30, 81) }) {
        const int r = size.width() - 1, b = size.height() - 1;
        expectPixels(stEllipse, size,
            { { 0, 0, Px::None }, { r, 0, Px::None }, { 0, b, Px::None }, { r, b, Px::None },
                { r / 2, b / 2, Px::Brush }, { 0, b / 2, Px::Pen }, { r, b / 2, Px::Pen }, { r / 2, 0, Px::Pen },
                { r / 2, b, Px::Pen } });
        EXPECT_EQ(figureBounds(TShape::render(stEllipse, size, Qt::red)), QRect(QPoint(0, 0), size));
    }
}

TEST(ShapeGeometry, CircleIsCentredWithDiameterOfTheShorterSide)
{
    expectPixels(stCircle, QSize(100, 40),
        { { 30, 20, Px::Pen }, { 29, 20, Px::None }, { 69, 20, Px::Pen }, { 70, 20, Px::None }, { 50, 0, Px::Pen },
            { 50, 39, Px::Pen }, { 31, 1, Px::None }, { 50, 20, Px::Brush } });
    EXPECT_EQ(figureBounds(TShape::render(stCircle, QSize(100, 40), Qt::red)), QRect(30, 0, 40, 40));
    EXPECT_EQ(figureBounds(TShape::render(stCircle, QSize(33, 90), Qt::red)), QRect(0, 28, 33, 33));
    // Symmetric: a circle looks the same turned by a quarter.
    const QImage circle = TShape::render(stCircle, QSize(65, 65), Qt::red);
    for (int y = 0; y < 65; ++y)
        for (int x = 0; x < 65; ++x)
            ASSERT_EQ(circle.pixel(x, y), circle.pixel(y, x)) << x << "," << y;
}

TEST(ShapeGeometry, RoundedCornersAreQuartersOfAnEllipseAQuarterOfTheShorterSide)
{
    // 100 x 40: S 40, corner ellipse 10 x 10, so each corner is 5 pixels.
    expectPixels(stRoundRect, QSize(100, 40),
        { { 0, 0, Px::None }, { 1, 1, Px::Pen }, { 2, 2, Px::Brush }, { 0, 1, Px::None }, { 0, 3, Px::Pen },
            { 0, 20, Px::Pen }, { 1, 20, Px::Brush }, { 50, 0, Px::Pen }, { 99, 39, Px::None }, { 98, 38, Px::Pen },
            { 97, 37, Px::Brush }, { 5, 0, Px::Pen }, { 94, 0, Px::Pen }, { 99, 20, Px::Pen } });
    // 65 x 65: corner ellipse 16, the edge starts 5 pixels from the corner.
    expectPixels(stRoundRect, QSize(65, 65),
        { { 0, 4, Px::None }, { 0, 5, Px::Pen }, { 4, 0, Px::None }, { 5, 0, Px::Pen }, { 64, 59, Px::Pen },
            { 64, 60, Px::None }, { 32, 32, Px::Brush } });
    // Round square 100 x 40: the 40 x 40 square from x 30, corners of 5.
    expectPixels(stRoundSquare, QSize(100, 40),
        { { 30, 0, Px::None }, { 31, 1, Px::Pen }, { 32, 2, Px::Brush }, { 30, 20, Px::Pen }, { 29, 20, Px::None },
            { 69, 20, Px::Pen }, { 70, 20, Px::None }, { 68, 38, Px::Pen }, { 69, 39, Px::None } });
    // Tiny shapes have square corners (corner ellipse of 1 pixel or none).
    expectPixels(stRoundRect, QSize(7, 7), { { 0, 0, Px::Pen }, { 6, 6, Px::Pen }, { 3, 3, Px::Brush } });
}

TEST(ShapeGeometry, DegenerateSizesGiveNoFigureOrAnOutlineOnly)
{
    EXPECT_TRUE(TShape::render(stCircle, QSize(0, 10), Qt::red).isNull());
    const QImage line = TShape::render(stEllipse, QSize(10, 1), Qt::red);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(line.pixel(x, 0) & 0xFFFFFF, 0u);
}

class ShapeWidget : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<TForm>(QStringLiteral("Test")); }
    void TearDown() override { form.reset(); }
    std::unique_ptr<TForm> form;
};

TEST_F(ShapeWidget, NewShapeIsAWhite65PixelRectangle)
{
    TShape shape(form.get());
    EXPECT_EQ(shape.size(), QSize(65, 65));
    EXPECT_EQ(shape.shape(), stRectangle);
    EXPECT_EQ(shape.brushColor(), clWhite);
    const QImage image = shape.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(30, 30) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ShapeWidget, BrushColorReadsBackExactlyAndIsDrawnResolved)
{
    TShape shape(form.get());
    shape.setGeometry(0, 0, 20, 20);
    for (TColor c : { TColor(0x123456), clBtnFace, clWindowText, TColor(0x00FF8000) }) {
        shape.setBrushColor(c);
        EXPECT_EQ(shape.brushColor(), c);
        EXPECT_EQ(shape.grab().toImage().pixel(10, 10), toQColor(c).rgb());
    }
    EXPECT_EQ(toQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toQColor(clBtnFace), QColor(240, 240, 240));
}

TEST_F(ShapeWidget, UnchangedSettersDoNotRepaint)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    TShape shape(form.get());
    shape.setShape(stCircle);
    shape.setBrushColor(clRed);
    form->Show();
    QTest::qWait(20);
    shape.installEventFilter(&counter);
    shape.setShape(stCircle);
    shape.setBrushColor(clRed);
    shape.setGeometry(shape.geometry());
    QTest::qWait(20);
    EXPECT_EQ(counter.paints, 0);
    shape.setBrushColor(clBlue);
    QTest::qWait(20);
    EXPECT_GE(counter.paints, 1);
}
