// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Panels, group boxes, labels and static texts as the screens lay them out:
// bevel pixels, the group box's bottom docking, the label's automatic size,
// colour and transparency.
#include "Application.h"
#include "Colors.h"
#include "Fonts.h"
#include "Form.h"
#include "GroupBox.h"
#include "Label.h"
#include "Panel.h"
#include "Shape.h"
#include "StaticText.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <memory>

class Containers : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<TForm>(QStringLiteral("Behälter")); }
    void TearDown() override { form.reset(); }
    QRgb seen(int x, int y) const { return form->grab().toImage().pixel(x, y); }
    std::unique_ptr<TForm> form;
};

TEST_F(Containers, PanelBevelsAndBorder)
{
    auto* panel = new TPanel(form.get());
    panel->setGeometry(0, 0, 100, 50);
    const QRgb face = qRgb(240, 240, 240), light = qRgb(255, 255, 255), shadow = qRgb(160, 160, 160);
    EXPECT_EQ(seen(0, 0), light);
    EXPECT_EQ(seen(50, 0), light);
    EXPECT_EQ(seen(99, 49), shadow);
    EXPECT_EQ(seen(99, 25), shadow);
    EXPECT_EQ(seen(1, 1), face);

    panel->setBevelInner(true);
    EXPECT_EQ(seen(1, 1), light);
    EXPECT_EQ(seen(98, 48), shadow);
    EXPECT_EQ(seen(2, 2), face);

    panel->setBorderSingle(true);
    panel->setColor(0xD7D7D7);
    EXPECT_EQ(seen(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(seen(99, 49), qRgb(0, 0, 0));
    EXPECT_EQ(seen(1, 1), light);
    EXPECT_EQ(seen(2, 2), light);
    EXPECT_EQ(seen(3, 3), qRgb(0xD7, 0xD7, 0xD7));
}

TEST_F(Containers, PanelCaptionIsCentredAndCoveredByChildren)
{
    auto* panel = new TPanel(form.get());
    panel->setGeometry(0, 0, 200, 60);
    panel->setCaption(QStringLiteral("MMMM"));
    const QImage withCaption = panel->grab().toImage();
    bool dark = false;
    for (int x = 90; x < 110; ++x)
        dark = dark || qGray(withCaption.pixel(x, 30)) < 128;
    EXPECT_TRUE(dark);
    EXPECT_EQ(withCaption.pixel(20, 30), qRgb(240, 240, 240));

    auto* cover = new TShape(panel);
    cover->setGeometry(80, 20, 40, 20);
    cover->setBrushColor(clWhite);
    const QImage covered = panel->grab().toImage();
    for (int x = 90; x < 110; ++x)
        EXPECT_EQ(covered.pixel(x, 30), qRgb(255, 255, 255));
}

TEST_F(Containers, GroupBoxDocksATitleStripAtTheBottomOfItsClientArea)
{
    auto* title = new TGroupBox(form.get());
    title->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    title->setGeometry(10, 10, 150, 27);
    auto* strip = new TStaticText(title);
    strip->resize(10, 17);
    title->dockBottom(strip);
    EXPECT_EQ(strip->geometry(), QRect(2, 8, 146, 17));
    // Resized while shown (a hidden widget hears of its new size when shown).
    form->Show();
    title->resize(200, 27);
    EXPECT_EQ(strip->geometry(), QRect(2, 8, 196, 17));

    strip->setColor(0xFF8000);
    strip->setFontColor(clWhite);
    EXPECT_EQ(form->grab().toImage().pixel(10 + 190, 10 + 20), qRgb(0, 128, 255));
}

TEST_F(Containers, GroupBoxCoversWindowlessWidgetsBelowWithItsParentsColour)
{
    auto* below = new TShape(form.get());
    below->setGeometry(0, 0, 60, 60);
    below->setBrushColor(clRed);
    auto* box = new TGroupBox(form.get());
    box->setGeometry(0, 0, 100, 100);
    EXPECT_EQ(seen(30, 30), qRgb(255, 255, 255));
    box->setColor(0xD7D7D7);
    EXPECT_EQ(seen(30, 30), qRgb(0xD7, 0xD7, 0xD7));
}

TEST_F(Containers, LabelSizeFollowsItsCaptionUnlessFixed)
{
    auto* label = new TLabel(form.get());
    label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 24));
    const QFontMetrics metrics(label->font());
    label->setCaption(QStringLiteral("Anna ist an der Reihe "));
    EXPECT_EQ(label->height(), metrics.height());
    EXPECT_GE(label->width(), metrics.horizontalAdvance(QStringLiteral("Anna ist an der Reihe")));
    const int wide = label->width();
    label->setCaption(QStringLiteral("A"));
    EXPECT_LT(label->width(), wide);

    label->setAutoSize(false);
    label->setGeometry(0, 0, 120, 30);
    label->setWordWrap(true);
    label->setCaption(QStringLiteral("ein sehr langer Name ist an der Reihe"));
    EXPECT_EQ(label->size(), QSize(120, 30));
}

TEST_F(Containers, LabelFillsWithItsColourUnlessTransparent)
{
    auto* below = new TShape(form.get());
    below->setGeometry(0, 0, 60, 20);
    below->setBrushColor(clRed);
    auto* label = new TLabel(form.get());
    label->setCaption(QStringLiteral("  "));
    label->setAutoSize(false);
    label->setGeometry(10, 5, 40, 10);
    EXPECT_EQ(seen(20, 10), qRgb(255, 255, 255)); // the form's white
    label->setColor(clBlue);
    EXPECT_EQ(seen(20, 10), qRgb(0, 0, 255));
    label->setTransparent(true);
    EXPECT_EQ(seen(20, 10), qRgb(255, 0, 0));
}

TEST_F(Containers, CentredWrappedLabelBreaksAtWordsAndCentresEachLine)
{
    auto* label = new TLabel(form.get());
    label->setAutoSize(false);
    label->setWordWrap(true);
    label->setCentered(true);
    label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 24));
    label->setGeometry(0, 0, 400, 80);
    label->setCaption(QStringLiteral("I"));
    const QImage image = form->grab(QRect(0, 0, 400, 80)).toImage();
    int left = 400, right = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 400; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0);
    EXPECT_NEAR((left + right) / 2.0, 200.0, 3.0);
}
