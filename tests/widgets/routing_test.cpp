// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which widget receives a mouse press, as a player's click on the window
// would deliver it: windowed widgets above windowless ones, later windowless
// ones above earlier ones, the whole rectangle counting, nothing passing on
// to widgets below, hidden widgets taking nothing.
#include "Application.h"
#include "DesktopWindow.h"
#include "Form.h"
#include "GroupBox.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"
#include "Shape.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

class Routing : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(QStringLiteral("Feld"));
        field = new TGroupBox(form.get());
        field->setGeometry(100, 100, 400, 300);
        form->Show();
        window = TApplication::instance()->desktopWindow()->windowHandle();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { form.reset(); }

    TShape* shapeAt(int x, int y, const QString& name)
    {
        auto* shape = new TShape(field);
        shape->setGeometry(x, y, 60, 60);
        shape->setShape(stCircle);
        shape->onMouseDown = [this, name] { log << name; };
        shape->show();
        return shape;
    }
    // A press and release at a point of the field, in window coordinates.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(window, button, {}, QPoint(100 + x, 100 + y));
    }

    std::unique_ptr<TForm> form;
    TGroupBox* field = nullptr;
    QWindow* window = nullptr;
    QStringList log;
};

TEST_F(Routing, EveryButtonAndTheCornersOutsideTheCircleReachTheShape)
{
    shapeAt(10, 20, QStringLiteral("tile"));
    click(40, 50);
    click(11, 21, Qt::RightButton); // outside the circle, inside the rectangle
    click(68, 78, Qt::MiddleButton);
    click(71, 50); // beside it
    EXPECT_EQ(log, QStringList(3, QStringLiteral("tile")));
}

TEST_F(Routing, DoubleClickRaisesTheMouseDownTwice)
{
    shapeAt(10, 20, QStringLiteral("tile"));
    QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(140, 150));
    EXPECT_EQ(log.size(), 2);
}

TEST_F(Routing, LaterWindowlessWidgetsLieAboveEarlierOnes)
{
    shapeAt(10, 10, QStringLiteral("first"));
    shapeAt(40, 40, QStringLiteral("second"));
    click(50, 50);
    EXPECT_EQ(log, QStringList(QStringLiteral("second")));
}

TEST_F(Routing, LabelOverAShapeTakesThePressEvenWithoutAHandler)
{
    TShape* tile = shapeAt(10, 10, QStringLiteral("tile"));
    auto* label = new TLabel(field);
    label->setCaption(QStringLiteral("12"));
    label->move(20, 20);
    label->show();
    click(21, 21);
    EXPECT_TRUE(log.isEmpty());

    // A hidden label takes nothing: the shape under it gets the press.
    label->hide();
    click(21, 21);
    EXPECT_EQ(log, QStringList(QStringLiteral("tile")));

    // A hidden shape takes nothing either.
    tile->hide();
    click(50, 50);
    EXPECT_EQ(log.size(), 1);
}

TEST_F(Routing, LabelClickNeedsLeftPressAndReleaseOverIt)
{
    auto* label = new TLabel(field);
    label->setAutoSize(false);
    label->setTransparent(true);
    label->setGeometry(0, 0, 50, 20);
    label->onClick = [this] { log << QStringLiteral("label"); };
    label->show();
    click(5, 5, Qt::RightButton);
    EXPECT_TRUE(log.isEmpty());
    click(49, 19);
    EXPECT_EQ(log, QStringList(QStringLiteral("label")));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(105, 105));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(log.size(), 1);
    // A double-click is one click.
    QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(110, 110));
    EXPECT_EQ(log.size(), 2);
}

TEST_F(Routing, WindowedWidgetsLieAboveWindowlessOnesCreatedLater)
{
    auto* panel = new TPanel(field);
    panel->setGeometry(0, 0, 100, 100);
    panel->show();
    shapeAt(50, 50, QStringLiteral("tile"));
    auto* picture = new TImage(field);
    picture->setGeometry(0, 0, 200, 200);
    picture->show();
    click(60, 60); // the panel lies above the later shape and picture
    click(105, 105); // the picture lies above the earlier shape
    EXPECT_TRUE(log.isEmpty());
    picture->hide();
    click(105, 105);
    click(60, 60);
    EXPECT_EQ(log, QStringList(QStringLiteral("tile")));
}

TEST_F(Routing, DisabledScreensTakeNoInput)
{
    shapeAt(10, 10, QStringLiteral("tile"));
    form->setEnabled(false);
    click(30, 30);
    form->setEnabled(true);
    click(30, 30);
    EXPECT_EQ(log, QStringList(QStringLiteral("tile")));
}
