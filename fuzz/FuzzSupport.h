// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the fuzz targets share: the one Qt application a target may need (on
// the offscreen platform), coverage guidance for libraries built without
// instrumentation, and a scratch file for a reader that reads by file name.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Makes the offscreen platform the default and quiets Qt's warnings about
// odd input, which would flood the fuzzer's output.
void prepareFuzzApplication();

// Creates the application on the first call (a QGuiApplication where text
// is laid out, a QApplication for widgets); later calls do nothing. It is
// kept to the end of the process: libFuzzer never returns from its loop,
// and memory reachable from a static is not a leak.
template <typename Application> void startFuzzApplication()
{
    static Application* application = nullptr;
    if (application)
        return;
    prepareFuzzApplication();
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    application = new Application(argc, argv);
}

// Prints one line about what became of an input when FUZZ_VERBOSE is set
// (for checking seeds: run the target with the seed files as arguments).
void reportOutcome(const QString& outcome);

// Coverage guidance for what happens inside libraries built without
// instrumentation (libsndfile, FFmpeg, Qt's picture decoders): each
// (category, value) pair, value taken modulo 64, for categories 0..3, is a
// feature of its own, so that libFuzzer keeps inputs that reach a new
// format, codec or size class.
void coverValue(unsigned category, unsigned value);

// Writes the input to a file named `name` in a private scratch folder that
// lives as long as the process, and returns the file's path.
QString writeScratchFile(const QString& name, const std::uint8_t* data, std::size_t size);
