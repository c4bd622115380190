// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes small 16-bit PCM WAV files for the sound tests: a tone, or silence.
#pragma once

#include "RiffWriter.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// A sine tone of `hz` (0: silence) at half of full scale, `seconds` long.
inline bool writeToneWav(const std::string& path, double seconds, double hz = 440.0, int rate = 44100, int channels = 1)
{
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    samples.reserve(std::size_t(frames) * channels);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = hz > 0 ? 0.5 * std::sin(2 * M_PI * hz * i / rate) : 0.0;
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<std::int16_t>(v * 32767));
    }
    const QByteArray b
        = RiffWriter::pcmWave(static_cast<std::uint32_t>(rate), static_cast<std::uint16_t>(channels), samples);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(b.constData(), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}
