// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// RawAviReader: reads the frames of an uncompressed AVI clip without any
// codec library. It handles the first stream when that is video in
// BITMAPINFOHEADER form with BI_RGB pixels of 8 (palette after the header),
// 24 or 32 bits, rows bottom-up (positive height) or top-down (negative),
// each padded to 4 bytes; frames are the '00db' (or '00dc') chunks of the
// 'movi' list, also inside 'rec ' lists. Any other clip is left to FFmpeg.
// Every size in the file is checked against the bytes really there before
// it is used, and the decoded size against the limits given, so a corrupt
// file is refused without reading past its end or allocating without bound.
#pragma once

#include "LittleEndianReader.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <vector>

class RawAviReader {
public:
    enum class Outcome {
        Decoded, // frames() holds the clip
        NotRaw, // a clip in another form: a codec library has to decode it
        Corrupt, // an uncompressed clip that cannot be read
    };
    struct Limits {
        std::uint32_t maxSide; // largest width or height of a frame
        std::uint64_t maxDecodedBytes; // all frames at 4 bytes a pixel
    };

    // `bytes` is a whole RIFF AVI file whose header has been checked: 'RIFF'
    // with a size not beyond the file, 'AVI ', and 'LIST' 'hdrl' at offset 12.
    // `totalFrames` is the frame count of the main header: that many frames
    // are produced, chunks beyond it are ignored, and frames the clip leaves
    // out (or gives as empty chunks) are null images; the first is never one.
    RawAviReader(const QByteArray& bytes, std::uint32_t totalFrames, Limits limits);

    Outcome read();
    // The frames read, as opaque ARGB32 images; empty unless read() decoded.
    std::vector<QImage> takeFrames() { return std::move(m_frames); }

private:
    struct Chunk {
        const char* id;
        std::size_t data; // offset of the chunk's data
        std::size_t size;
    };
    struct Format {
        int width = 0;
        int height = 0;
        bool topDown = false;
        int bits = 0;
        std::size_t stride = 0;
        std::vector<QRgb> palette;
    };

    bool nextChunk(std::size_t& pos, std::size_t end, Chunk& chunk) const;
    bool isList(const Chunk& chunk, const char* type) const;
    bool findList(std::size_t& pos, std::size_t end, const char* type, Chunk& list) const;
    Outcome readStreamFormat(const Chunk& strl);
    Outcome readFrames(std::size_t begin, std::size_t end, int depth);
    bool decodeFrame(const Chunk& chunk);

    LittleEndianReader m_in;
    std::uint32_t m_totalFrames;
    Limits m_limits;
    Format m_format;
    std::size_t m_next = 0; // index of the next frame chunk
    std::vector<QImage> m_frames;
};
