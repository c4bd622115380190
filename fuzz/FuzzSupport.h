// What the fuzz targets share: the one Qt application they need (widgets and
// text layout want one; it runs on the offscreen platform) and a scratch
// file through which an input reaches a loader that reads by file name.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Creates the application on the first call; later calls do nothing.
void startFuzzApplication();

// Prints one line about what became of an input when FUZZ_VERBOSE is set
// (for checking seeds: run the target with the seed files as arguments).
void reportOutcome(const QString& outcome);

// Coverage guidance for what happens inside libraries built without
// instrumentation (libsndfile, FFmpeg): each (category, value) pair, value
// taken modulo 64, for categories 0..3, is a feature of its own, so that
// libFuzzer keeps inputs that reach a new format, codec or size class.
void coverValue(unsigned category, unsigned value);

// Writes the input to a file named `name` in a private scratch folder that
// lives as long as the process, and returns the file's path.
QString writeScratchFile(const QString& name, const std::uint8_t* data, std::size_t size);
