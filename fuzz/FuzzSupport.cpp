// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fuzz targets' shared helpers.
#include "FuzzSupport.h"

#include <QGuiApplication>

#include <cstdio>
#include <utility>

namespace {

// One function, and so one set of edges, per feature.
template <unsigned N> [[gnu::noinline]] void mark()
{
    static volatile unsigned hits = 0;
    hits = hits + 1;
}

template <unsigned... N> void markOne(unsigned feature, std::integer_sequence<unsigned, N...>)
{
    ((feature == N ? mark<N>() : void()), ...);
}

} // namespace

void startFuzzApplication()
{
    static QGuiApplication* application = nullptr;
    if (application)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    application = new QGuiApplication(argc, argv);
}

void reportOutcome(const QString& outcome)
{
    static const bool verbose = qEnvironmentVariableIsSet("FUZZ_VERBOSE");
    if (verbose)
        std::fprintf(stderr, "outcome: %s\n", qPrintable(outcome));
}

void coverValue(unsigned category, unsigned value)
{
    markOne((category % 4) * 64 + value % 64, std::make_integer_sequence<unsigned, 256>());
}
