// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GoogleTest main for the tests of the Qt layers: one TApplication on the
// offscreen platform (unless the environment names another, e.g. xcb under
// Xvfb). Error boxes are printed instead of shown, so that a test never waits
// for an OK that nobody clicks; tests that check boxes install their own
// handler and put this one back with installPrintingErrorBox().
#include "QtTestMain.h"

#include "Accessibility.h"
#include "Application.h"

#include <gtest/gtest.h>

#include <cstdio>

void installPrintingErrorBox()
{
    TApplication::instance()->setErrorBoxHandler([](const QString& caption, const QString& text) {
        std::fprintf(stderr, "[error box] %s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    });
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    installAccessibility();
    installPrintingErrorBox();
    const int result = RUN_ALL_TESTS();
    app.destroyForms();
    return result;
}
