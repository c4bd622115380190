// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the fuzz targets share: the one Qt application a target may need (on
// the offscreen platform) and coverage guidance for libraries built without
// instrumentation.
#pragma once

#include <QString>

// Creates a QGuiApplication on the offscreen platform, for a target that
// lays out text, with Qt's warnings about odd input quieted (they would
// flood the fuzzer's output). It is kept to the end of the process:
// libFuzzer never returns from its loop, and memory reachable from a static
// is not a leak.
void startFuzzApplication();

// Prints one line about what became of an input when FUZZ_VERBOSE is set
// (for checking seeds: run the target with the seed files as arguments).
void reportOutcome(const QString& outcome);

// Coverage guidance for what happens inside libraries built without
// instrumentation (libsndfile, FFmpeg, Qt's picture decoders): each
// (category, value) pair, value taken modulo 64, for categories 0..3, is a
// feature of its own, so that libFuzzer keeps inputs that reach a new
// format, codec or size class.
void coverValue(unsigned category, unsigned value);
