// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of the program: Close on the main screen and closing the window
// end the event loop, and the screens are destroyed last-created first.
// (A program of its own: once terminated, the application stays so.)
#include "Application.h"
#include "DesktopWindow.h"
#include "Form.h"

#include <QCloseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct LoggingForm : TForm {
    LoggingForm(const QString& name, QStringList& log)
        : TForm(name)
        , m_log(log)
    {
    }
    ~LoggingForm() override { m_log << caption(); }
    QStringList& m_log;
};

} // namespace

TEST(EndOfProgram, CloseOfTheMainScreenEndsTheLoopAndFormsDieInReverseOrder)
{
    QStringList destroyed;
    auto* start = new LoggingForm(QStringLiteral("start"), destroyed);
    auto* setup = new LoggingForm(QStringLiteral("setup"), destroyed);
    new LoggingForm(QStringLiteral("game"), destroyed);
    auto* app = TApplication::instance();
    EXPECT_EQ(app->mainForm(), start);

    bool mainShown = false;
    bool setupHidden = false;
    QTimer::singleShot(0, app, [&] {
        mainShown = start->Visible();
        setupHidden = !setup->Visible();
        start->Close();
    });
    EXPECT_EQ(app->run(), 0);
    EXPECT_TRUE(mainShown);
    EXPECT_TRUE(setupHidden);
    EXPECT_TRUE(app->isTerminated());
    app->destroyForms();
    EXPECT_EQ(destroyed, QStringList({ QStringLiteral("game"), QStringLiteral("setup"), QStringLiteral("start") }));
    EXPECT_EQ(app->mainForm(), nullptr);
}

TEST(EndOfProgram, ClosingTheWindowTerminatesEvenDuringAModalLoop)
{
    TForm start(QStringLiteral("start"));
    TForm winner(QStringLiteral("winner"));
    start.Show();
    bool closedByWindowManager = false;
    QTimer::singleShot(0, &winner, [&] {
        closedByWindowManager = true;
        QCloseEvent close;
        QCoreApplication::sendEvent(TApplication::instance()->desktopWindow(), &close);
    });
    EXPECT_EQ(winner.ShowModal(), 0);
    EXPECT_TRUE(closedByWindowManager);
    EXPECT_FALSE(winner.Visible());
    // Once terminated, run() returns at once.
    EXPECT_EQ(TApplication::instance()->run(), 0);
}
