// Writes small 16-bit PCM WAV files for the sound tests: a tone, or silence.
#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// A sine tone of `hz` (0: silence) at half of full scale, `seconds` long.
inline bool writeToneWav(const std::string& path, double seconds, double hz = 440.0, int rate = 44100, int channels = 1)
{
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    const std::uint32_t dataBytes = frames * channels * 2;
    std::vector<std::uint8_t> b;
    auto u16 = [&](std::uint32_t v) {
        b.push_back(v & 0xFF);
        b.push_back((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto tag = [&](const char* s) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(s[i]));
    };
    tag("RIFF");
    u32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(channels);
    u32(rate);
    u32(rate * channels * 2);
    u16(channels * 2);
    u16(16);
    tag("data");
    u32(dataBytes);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = hz > 0 ? 0.5 * std::sin(2 * M_PI * hz * i / rate) : 0.0;
        for (int c = 0; c < channels; ++c)
            u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 32767)));
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}
