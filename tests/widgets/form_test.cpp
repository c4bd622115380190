// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Screens as layers of the one window: centring, Show, ShowModal, Close, the
// Enter and default-button rules, and the edit and radio group properties
// that the setup screen reads.
#include "Application.h"
#include "Button.h"
#include "DesktopWindow.h"
#include "Edit.h"
#include "Form.h"
#include "RadioGroup.h"
#include "ToolkitError.h"

#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The layer seen at the window's centre.
QWidget* topLayer()
{
    QWidget* hit = TApplication::instance()->desktopWindow()->childAt(404, 300);
    while (hit && !qobject_cast<TForm*>(hit))
        hit = hit->parentWidget();
    return hit;
}

class Screens : public ::testing::Test {
protected:
    void SetUp() override
    {
        first = std::make_unique<TForm>(QStringLiteral("Erster"));
        second = std::make_unique<TForm>(QStringLiteral("Zweiter"));
    }
    void TearDown() override
    {
        TApplication::setDesktopSizeForTests(QSize());
        second.reset();
        first.reset();
    }
    std::unique_ptr<TForm> first;
    std::unique_ptr<TForm> second;
};

} // namespace

TEST_F(Screens, AreHiddenWhiteLayersOfTheBorderlessWindow)
{
    QWidget* window = TApplication::instance()->desktopWindow();
    EXPECT_EQ(first->parentWidget(), window);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->size(), QSize(808, 601));
    EXPECT_EQ(first->geometry(), QRect(0, 0, 808, 601));
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(first->font().pixelSize(), 11);
    EXPECT_EQ(first->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(QFontInfo(first->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(first->grab().toImage().pixel(400, 300), qRgb(255, 255, 255));
    EXPECT_EQ(TApplication::instance()->mainForm(), first.get());
}

TEST_F(Screens, CentreOnTheDesktopTruncatingTowardZero)
{
    TApplication::setDesktopSizeForTests(QSize(1024, 768));
    first->Zentrieren();
    EXPECT_EQ(first->Left(), 108);
    EXPECT_EQ(first->Top(), 83);
    EXPECT_EQ(second->Left(), 108);
    EXPECT_EQ(second->Width(), 808);
    EXPECT_EQ(second->Height(), 601);

    TApplication::setDesktopSizeForTests(QSize(800, 600));
    second->Zentrieren();
    EXPECT_EQ(first->Left(), -4);
    EXPECT_EQ(first->Top(), 0);
}

TEST_F(Screens, ShowBringsTheLayerToTheFrontAndCloseOfAnOtherScreenHidesIt)
{
    first->Show();
    second->Show();
    EXPECT_TRUE(TApplication::instance()->desktopWindow()->isVisible());
    EXPECT_EQ(topLayer(), second.get());
    first->Show();
    EXPECT_EQ(topLayer(), first.get());
    EXPECT_TRUE(second->Visible());
    second->Close();
    EXPECT_FALSE(second->Visible());
    EXPECT_FALSE(TApplication::instance()->isTerminated());
}

TEST_F(Screens, OnlyTheTopLayerTakesPartInTheFocusChainAndGetsItsFocusBack)
{
    QWidget* window = TApplication::instance()->desktopWindow();
    auto* firstA = new TButton(first.get());
    auto* firstB = new TButton(first.get());
    auto* secondA = new TButton(second.get());
    auto* secondB = new TButton(second.get());
    first->Show();
    EXPECT_EQ(window->focusWidget(), firstA);
    firstB->setFocus();

    // Covered, the first layer stays Visible but leaves Qt's focus chain.
    second->Show();
    EXPECT_TRUE(first->Visible());
    EXPECT_FALSE(firstA->isVisible());
    EXPECT_EQ(window->focusWidget(), secondA);
    QStringList stops;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        stops << (window->focusWidget() == secondA ? "A" : window->focusWidget() == secondB ? "B" : "elsewhere");
    }
    EXPECT_EQ(stops, QStringList({ "B", "A", "B", "A" }));

    // Uncovered, it gets its focus back; shown anew, a layer starts at its
    // first widget.
    secondB->setFocus();
    second->Close();
    EXPECT_FALSE(first->isHidden());
    EXPECT_EQ(window->focusWidget(), firstB);
    second->Show();
    EXPECT_EQ(window->focusWidget(), secondA);
    first->Show();
    EXPECT_EQ(window->focusWidget(), firstB);
    EXPECT_TRUE(second->isHidden());
}

TEST_F(Screens, ShowModalOnAVisibleScreenFails)
{
    second->Show();
    try {
        second->ShowModal();
        FAIL() << "no error";
    } catch (const EToolkitError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Aus einem sichtbaren Fenster kann kein modales gemacht werden"));
    }
    EXPECT_TRUE(second->Visible());
}

TEST_F(Screens, ShowModalDisablesTheOthersUntilClosedAndReturnsTwo)
{
    TForm third(QStringLiteral("Dritter"));
    first->Show();
    bool firstEnabledDuringModal = true;
    bool thirdEnabledDuringModal = false;
    QWidget* topAfterThirdShown = nullptr;
    QTimer::singleShot(0, first.get(), [&] {
        firstEnabledDuringModal = first->isEnabled();
        EXPECT_EQ(topLayer(), second.get());
        // A screen shown during the modal loop stays enabled and comes on top.
        third.Show();
        thirdEnabledDuringModal = third.isEnabled();
        topAfterThirdShown = topLayer();
    });
    // A layer disabled at the start and shown again takes input on top.
    bool firstEnabledWhenShownAgain = false;
    QTimer::singleShot(3, first.get(), [&] {
        first->Show();
        firstEnabledWhenShownAgain = first->isEnabled() && topLayer() == first.get();
    });
    QTimer::singleShot(6, second.get(), [&] { second->Close(); });
    EXPECT_EQ(second->ShowModal(), 2);
    EXPECT_FALSE(firstEnabledDuringModal);
    EXPECT_TRUE(thirdEnabledDuringModal);
    EXPECT_EQ(topAfterThirdShown, &third);
    EXPECT_TRUE(firstEnabledWhenShownAgain);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_FALSE(second->Visible());
    EXPECT_TRUE(third.Visible());
}

TEST_F(Screens, ModalResultSetByTheProgramEndsTheLoop)
{
    QTimer::singleShot(0, second.get(), [&] { second->setModalResult(1); });
    EXPECT_EQ(second->ShowModal(), 1);
    EXPECT_FALSE(second->isModal());
}

TEST_F(Screens, EnterClicksTheFocusedButtonOrElseTheDefaultButton)
{
    auto* start = new TButton(first.get());
    auto* other = new TButton(first.get());
    auto* edit = new TEdit(first.get());
    auto* group = new TRadioGroup(first.get());
    group->setGeometry(0, 100, 100, 80);
    group->setItems({ QStringLiteral("1"), QStringLiteral("2") });
    QStringList clicks;
    start->onClick = [&] { clicks << QStringLiteral("start"); };
    other->onClick = [&] { clicks << QStringLiteral("other"); };
    first->setDefaultButton(start);
    first->Show();

    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(group->findChildren<QRadioButton*>().at(1), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(first.get(), Qt::Key_Return);
    QTest::keyClick(other, Qt::Key_Return);
    QTest::keyClick(other, Qt::Key_Space);
    EXPECT_EQ(clicks,
        QStringList({ QStringLiteral("start"), QStringLiteral("start"), QStringLiteral("start"),
            QStringLiteral("other"), QStringLiteral("other") }));

    clicks.clear();
    start->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::mouseClick(start, Qt::LeftButton);
    other->setEnabled(false);
    QTest::keyClick(other, Qt::Key_Space);
    EXPECT_TRUE(clicks.isEmpty());

    start->setEnabled(true);
    QTest::mouseClick(start, Qt::RightButton);
    EXPECT_TRUE(clicks.isEmpty());
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(clicks, QStringList(QStringLiteral("start")));
}

TEST_F(Screens, EditRefusesTheCharacterBeyondMaxLength)
{
    auto* edit = new TEdit(first.get());
    edit->setMaxLength(20);
    first->Show();
    QTest::keyClicks(edit, QStringLiteral("abcdefghijklmnopqrstu"));
    EXPECT_EQ(edit->text(), QStringLiteral("abcdefghijklmnopqrst"));
    edit->setText(QString::fromUtf8("Árvíztűrő"));
    EXPECT_EQ(edit->text(), QString::fromUtf8("Árvíztűrő"));
}

TEST_F(Screens, RadioGroupItemIndexFollowsProgramAndUser)
{
    auto* group = new TRadioGroup(first.get());
    group->setGeometry(10, 10, 150, 100);
    EXPECT_EQ(group->itemIndex(), -1);
    group->setItems({ QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei") });
    group->setItemIndex(0);
    EXPECT_EQ(group->itemIndex(), 0);
    const auto buttons = group->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    // One column, top to bottom.
    EXPECT_EQ(buttons[0]->x(), buttons[2]->x());
    EXPECT_LT(buttons[0]->y(), buttons[1]->y());
    EXPECT_LT(buttons[1]->y(), buttons[2]->y());
    EXPECT_LE(buttons[2]->geometry().bottom(), 100);
    first->Show();
    QTest::mouseClick(buttons[2], Qt::LeftButton, {}, QPoint(5, buttons[2]->height() / 2));
    EXPECT_EQ(group->itemIndex(), 2);
    group->setItemIndex(-1);
    EXPECT_EQ(group->itemIndex(), -1);
    group->setItemIndex(1);
    group->setItems({ QStringLiteral("a") });
    EXPECT_EQ(group->itemIndex(), -1);
}
