// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// AviWriter: builds small uncompressed AVI clips (BI_RGB, 24-bit or 8-bit
// with a palette) for tests and tools, from frames given pixel by pixel, and
// writes them with RiffWriter. FFmpeg has no encoder for the run-length
// clips of old, so test clips are put together by hand.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

struct AviClip {
    int width = 0;
    int height = 0;
    std::uint32_t microsecondsPerFrame = 66666;
    int bitsPerPixel = 24; // 24, or 8 with a palette made of the colours used (at most 256)
    // One entry per frame, width * height pixels row by row from the top,
    // each 0xRRGGBB.
    std::vector<std::vector<std::uint32_t>> frames;

    // A clip of `count` frames, each filled with its own colour (frame k,
    // from 0, gets colourOf(k)), and a 1-pixel border of `border` colour.
    static AviClip plain(
        int width, int height, int count, std::uint32_t microsecondsPerFrame, std::uint32_t border = 0xFFFFFF);
    // The fill colour plain() gives frame k (from 0).
    static std::uint32_t colourOf(int k);
};

// The whole file: RIFF 'AVI ' with hdrl (avih first, one video stream), movi
// with one '00db' chunk per frame, and an idx1 index.
QByteArray aviBytes(const AviClip& clip);

// Writes aviBytes(clip) to `path`; returns false if the file cannot be written.
bool writeAvi(const std::string& path, const AviClip& clip);
// Writes raw bytes, for truncated or foreign files.
bool writeBytes(const std::string& path, const QByteArray& bytes);
