// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// AviReader: reads a whole AVI clip into frames ready to draw. It checks the
// RIFF header and the main header ('avih', which must be the first chunk of
// the first list 'hdrl'), reads uncompressed clips itself (RawAviReader) and
// leaves any other to FFmpeg (FfmpegAviReader), then keys out the clip's
// background: the colour of the first frame's top-left pixel. The limits
// keep a damaged or hostile file from costing minutes or gigabytes; the
// game's clock clip is a few hundred kilobytes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

class AviReader {
public:
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;
    static constexpr std::uint32_t maxSide = 4096; // width or height of a frame
    static constexpr std::uint32_t maxFrames = 100000;
    // All frames decoded, at four bytes a pixel.
    static constexpr std::uint64_t maxDecodedBytes = 512ull * 1024 * 1024;

    enum class Outcome {
        Read,
        TooLarge, // more than maxFileBytes
        NotAvi, // no RIFF AVI file with the main header first, or cut short
        BeyondLimits, // the main header names no frames or passes the limits
        Corrupt, // an uncompressed clip whose chunks cannot be read
        NoCodecLibrary, // a compressed clip, and FFmpeg cannot be loaded
        Undecodable, // a compressed clip that FFmpeg cannot read
    };

    struct Clip {
        // Premultiplied ARGB32, one per frame of the main header, with the
        // background transparent.
        std::vector<QImage> frames;
        std::uint32_t microsecondsPerFrame = 0;
        QSize size; // of the main header
    };

    // Reads `bytes`, a whole file; `clip` is changed only when it returns Read.
    static Outcome read(const QByteArray& bytes, Clip& clip);
};
