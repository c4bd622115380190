// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fuzz targets' shared helpers. The scratch folder is made once and kept
// to the end of the process: libFuzzer never returns from its loop, and
// memory reachable from a static is not a leak. The folder goes when the
// process exits normally.
#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
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

void prepareFuzzApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
}

QString writeScratchFile(const QString& name, const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir; // removed when the process exits normally
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
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
