// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The standard error box: the full-stop rule, errors of click handlers caught
// around the event's delivery with the loop going on, and the timing of
// reports deferred to the end of the outermost event delivery.
#include "Application.h"
#include "Button.h"
#include "Form.h"
#include "QtTestMain.h"
#include "ToolkitError.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

TEST(FullStop, AddedExactlyWhenTheLastCharacterSortsAfterTheDot)
{
    EXPECT_EQ(TApplication::withFullStop(QString::fromUtf8("Bitmap ist ungültig")),
        QString::fromUtf8("Bitmap ist ungültig."));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("Fertig.")), QStringLiteral("Fertig."));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("Halt!")), QStringLiteral("Halt!"));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("Leer ")), QStringLiteral("Leer "));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("a-")), QStringLiteral("a-"));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("(.avi)")), QStringLiteral("(.avi)"));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("Datei /")), QStringLiteral("Datei /."));
    EXPECT_EQ(TApplication::withFullStop(QStringLiteral("7")), QStringLiteral("7."));
    EXPECT_EQ(TApplication::withFullStop(QString()), QString());
}

TEST(ToolkitError, CarriesItsUtf8MessageAndDerivesForTheSoundDevice)
{
    const EMCIDeviceError error(QString::fromUtf8("Gerät fehlt"));
    const EToolkitError& base = error;
    EXPECT_EQ(base.text(), QString::fromUtf8("Gerät fehlt"));
    EXPECT_STREQ(base.what(), "Gerät fehlt");
}

class ErrorBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = TApplication::instance();
        app->setErrorBoxHandler([this](const QString& caption, const QString& text) {
            captions << caption;
            log << QStringLiteral("box:") + text;
        });
        form = std::make_unique<TForm>(QStringLiteral("Test"));
        button = new TButton(form.get());
        button->setGeometry(10, 10, 75, 25);
        form->Show();
    }
    void TearDown() override
    {
        form.reset();
        installPrintingErrorBox();
    }

    TApplication* app = nullptr;
    std::unique_ptr<TForm> form;
    TButton* button = nullptr;
    QStringList captions;
    QStringList log;
};

TEST_F(ErrorBox, ErrorOfAClickHandlerIsShownAndTheLoopGoesOn)
{
    button->onClick = [this] {
        log << QStringLiteral("before");
        throw EToolkitError(QString::fromUtf8("Kein MCI-Gerät geöffnet"));
        log << QStringLiteral("after");
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(log, QStringList({ QStringLiteral("before"), QString::fromUtf8("box:Kein MCI-Gerät geöffnet.") }));
    EXPECT_EQ(captions, QStringList(QStringLiteral("Tintarium")));

    // The loop goes on: queued work runs and the next click is handled.
    bool queued = false;
    QTimer::singleShot(0, form.get(), [&] { queued = true; });
    button->onClick = [this] { log << QStringLiteral("second"); };
    QTest::qWait(10);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(queued);
    EXPECT_EQ(log.last(), QStringLiteral("second"));
}

TEST_F(ErrorBox, ErrorEscapingAnEventHandlerIsCaughtByNotify)
{
    struct Thrower : QObject {
        void customEvent(QEvent*) override { throw EToolkitError("Ereignis"); }
    } thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTest::qWait(10);
    EXPECT_EQ(log, QStringList(QStringLiteral("box:Ereignis.")));
}

TEST_F(ErrorBox, ErrorOfATimerHandlerIsShownAfterTheEvent)
{
    QTimer timer(form.get());
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, form.get(), [this] {
        TApplication::invoke([this] {
            log << QStringLiteral("stop");
            throw EToolkitError("Fehler");
        });
        log << QStringLiteral("rest of the delivery");
    });
    timer.start(0);
    QTest::qWait(20);
    EXPECT_EQ(log,
        QStringList({ QStringLiteral("stop"), QStringLiteral("rest of the delivery"), QStringLiteral("box:Fehler.") }));
}

TEST_F(ErrorBox, ErrorThrownOutsideAnyEventIsShownAtOnce)
{
    TApplication::invoke([] { throw EToolkitError("Sofort"); });
    EXPECT_EQ(log, QStringList(QStringLiteral("box:Sofort.")));
}

TEST_F(ErrorBox, ReportWaitsForTheEndOfTheClick)
{
    button->onClick = [this] {
        app->reportAfterEvent(QStringLiteral("Ton fehlt"));
        log << QStringLiteral("rest of the click");
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(log, QStringList({ QStringLiteral("rest of the click"), QStringLiteral("box:Ton fehlt.") }));
}

TEST_F(ErrorBox, ReportOutsideAnyEventWaitsForTheNextTurnOfTheLoop)
{
    app->reportAfterEvent(QStringLiteral("Ton fehlt!"));
    EXPECT_TRUE(log.isEmpty());
    QTest::qWait(10);
    EXPECT_EQ(log, QStringList(QStringLiteral("box:Ton fehlt!")));
}

TEST_F(ErrorBox, ReportDuringANestedModalLoopWaitsForTheOutermostClick)
{
    TForm modal(QStringLiteral("Modal"));
    auto* ok = new TButton(&modal);
    ok->onClick = [&] {
        app->reportAfterEvent(QStringLiteral("Gewonnen fehlt"));
        log << QStringLiteral("ok clicked");
        modal.Close();
    };
    button->onClick = [&] {
        app->reportAfterEvent(QStringLiteral("Richtig fehlt"));
        // A later event inside the modal loop clicks the modal screen's button.
        QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
        log << QStringLiteral("modal returned ") + QString::number(modal.ShowModal());
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(log,
        QStringList({ QStringLiteral("ok clicked"), QStringLiteral("modal returned 2"),
            QStringLiteral("box:Richtig fehlt."), QStringLiteral("box:Gewonnen fehlt.") }));
}

TEST_F(ErrorBox, ErrorInsideANestedModalLoopIsShownThereAndTheModalLoopGoesOn)
{
    TForm modal(QStringLiteral("Modal"));
    auto* failing = new TButton(&modal);
    auto* ok = new TButton(&modal);
    failing->onClick = [] { throw EToolkitError("Innen"); };
    ok->onClick = [&] { modal.Close(); };
    button->onClick = [&] {
        QTimer::singleShot(0, failing, [failing] { QTest::mouseClick(failing, Qt::LeftButton); });
        QTimer::singleShot(5, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
        modal.ShowModal();
        log << QStringLiteral("modal returned");
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(log, QStringList({ QStringLiteral("box:Innen."), QStringLiteral("modal returned") }));
}
