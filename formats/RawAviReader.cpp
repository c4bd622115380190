// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading uncompressed AVI clips: a walk over the RIFF chunks that checks
// each chunk against its container before looking inside, then a plain copy
// of the BGR(A) or palette-indexed rows into QImages.
#include "RawAviReader.h"

#include <algorithm>
#include <cstring>

namespace {

// 'rec ' lists hold one another only in broken files; a bound on the depth
// keeps such a file from recursing without end.
constexpr int kMaxListDepth = 4;
constexpr std::size_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

} // namespace

RawAviReader::RawAviReader(const QByteArray& bytes, std::uint32_t totalFrames, Limits limits)
    : m_in(bytes)
    , m_totalFrames(totalFrames)
    , m_limits(limits)
{
}

// The chunk at `pos`, which must lie wholly before `end`; moves `pos` past it
// and its pad byte. False when the header or data would cross `end`.
bool RawAviReader::nextChunk(std::size_t& pos, std::size_t end, Chunk& chunk) const
{
    if (end - pos < 8)
        return false;
    const std::size_t size = m_in.u32(pos + 4);
    if (size > end - pos - 8)
        return false;
    chunk = { reinterpret_cast<const char*>(m_in.data(pos)), pos + 8, size };
    pos += 8 + size;
    if (size % 2 != 0 && pos < end)
        ++pos;
    return true;
}

bool RawAviReader::isList(const Chunk& chunk, const char* type) const
{
    return std::memcmp(chunk.id, "LIST", 4) == 0 && chunk.size >= 4 && m_in.tag(chunk.data, type);
}

// The first list of `type` from `pos` on, before `end`; false when there is
// none or a chunk on the way crosses `end`.
bool RawAviReader::findList(std::size_t& pos, std::size_t end, const char* type, Chunk& list) const
{
    while (pos < end) {
        if (!nextChunk(pos, end, list))
            return false;
        if (isList(list, type))
            return true;
    }
    return false;
}

RawAviReader::Outcome RawAviReader::read()
{
    const std::size_t riffEnd = 8 + std::size_t(m_in.u32(4));
    // The caller has checked that the RIFF and the hdrl headers are there.
    std::size_t pos = 12;
    Chunk hdrl {};
    if (riffEnd < pos || riffEnd > m_in.size() || !nextChunk(pos, riffEnd, hdrl) || !isList(hdrl, "hdrl"))
        return Outcome::Corrupt;

    // The first stream's header list.
    std::size_t inHdrl = hdrl.data + 4;
    const std::size_t hdrlEnd = hdrl.data + hdrl.size;
    Chunk strl {};
    if (!findList(inHdrl, hdrlEnd, "strl", strl))
        return Outcome::Corrupt;
    if (const Outcome format = readStreamFormat(strl); format != Outcome::Decoded)
        return format;

    // The frames: the first 'movi' list after the headers.
    Chunk movi {};
    if (!findList(pos, riffEnd, "movi", movi))
        return Outcome::Corrupt;
    const std::uint64_t pixels = std::uint64_t(m_format.width) * std::uint64_t(m_format.height);
    if (pixels * 4 * m_totalFrames > m_limits.maxDecodedBytes)
        return Outcome::Corrupt;
    m_frames.assign(m_totalFrames, QImage());
    if (const Outcome frames = readFrames(movi.data + 4, movi.data + movi.size, 0); frames != Outcome::Decoded) {
        m_frames.clear();
        return frames;
    }
    if (m_frames.empty() || m_frames.front().isNull()) {
        m_frames.clear();
        return Outcome::Corrupt;
    }
    return Outcome::Decoded;
}

// Reads 'strh' and 'strf' of the first stream; Decoded here means the stream
// is one this reader takes.
RawAviReader::Outcome RawAviReader::readStreamFormat(const Chunk& strl)
{
    std::size_t pos = strl.data + 4;
    const std::size_t end = strl.data + strl.size;
    Chunk chunk {};
    Chunk strh {};
    Chunk strf {};
    bool haveStrh = false;
    bool haveStrf = false;
    while (pos < end) {
        if (!nextChunk(pos, end, chunk))
            return Outcome::Corrupt;
        if (!haveStrh && std::memcmp(chunk.id, "strh", 4) == 0) {
            strh = chunk;
            haveStrh = true;
        } else if (!haveStrf && std::memcmp(chunk.id, "strf", 4) == 0) {
            strf = chunk;
            haveStrf = true;
        }
    }
    if (!haveStrh || !haveStrf || strh.size < 4)
        return Outcome::Corrupt;
    if (!m_in.tag(strh.data, "vids"))
        return Outcome::NotRaw;
    if (strf.size < kBitmapInfoHeaderSize)
        return Outcome::Corrupt;
    const std::size_t headerSize = m_in.u32(strf.data);
    const std::uint32_t compression = m_in.u32(strf.data + 16);
    const int bits = m_in.u16(strf.data + 14);
    if (compression != kBiRgb || (bits != 8 && bits != 24 && bits != 32))
        return Outcome::NotRaw;
    if (headerSize < kBitmapInfoHeaderSize || headerSize > strf.size)
        return Outcome::Corrupt;

    const std::int32_t width = m_in.i32(strf.data + 4);
    const std::int32_t height = m_in.i32(strf.data + 8);
    const std::int64_t rows = height < 0 ? -std::int64_t(height) : height;
    if (width <= 0 || width > std::int64_t(m_limits.maxSide) || rows == 0 || rows > std::int64_t(m_limits.maxSide))
        return Outcome::Corrupt;
    m_format.width = width;
    m_format.height = static_cast<int>(rows);
    m_format.topDown = height < 0;
    m_format.bits = bits;
    m_format.stride = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;

    if (bits == 8) {
        // The palette follows the header: biClrUsed entries (0: all 256) as
        // far as the chunk holds them; entries missing are black.
        const std::uint32_t used = m_in.u32(strf.data + 32);
        std::size_t count = used == 0 ? 256 : std::min<std::uint32_t>(used, 256);
        count = std::min(count, (strf.size - headerSize) / 4);
        m_format.palette.assign(256, qRgb(0, 0, 0));
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = strf.data + headerSize + 4 * i; // RGBQUAD
            m_format.palette[i] = qRgb(m_in.u8(at + 2), m_in.u8(at + 1), m_in.u8(at));
        }
    }
    return Outcome::Decoded;
}

RawAviReader::Outcome RawAviReader::readFrames(std::size_t begin, std::size_t end, int depth)
{
    std::size_t pos = begin;
    Chunk chunk {};
    while (pos < end && m_next < m_totalFrames) {
        if (!nextChunk(pos, end, chunk))
            return Outcome::Corrupt;
        if (isList(chunk, "rec ")) {
            if (depth >= kMaxListDepth)
                return Outcome::Corrupt;
            const Outcome inner = readFrames(chunk.data + 4, chunk.data + chunk.size, depth + 1);
            if (inner != Outcome::Decoded)
                return inner;
        } else if (std::memcmp(chunk.id, "00db", 4) == 0 || std::memcmp(chunk.id, "00dc", 4) == 0) {
            // An empty chunk is a frame that repeats the one before.
            if (chunk.size > 0 && !decodeFrame(chunk))
                return Outcome::Corrupt;
            ++m_next;
        } else if (std::memcmp(chunk.id, "00pc", 4) == 0) {
            return Outcome::NotRaw; // palette changes: left to FFmpeg
        }
        // Anything else (other streams, JUNK, index chunks) is skipped.
    }
    return Outcome::Decoded;
}

bool RawAviReader::decodeFrame(const Chunk& chunk)
{
    const Format& f = m_format;
    if (chunk.size / f.stride < std::size_t(f.height))
        return false;
    QImage image(f.width, f.height, QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    for (int row = 0; row < f.height; ++row) {
        const unsigned char* in = m_in.data(chunk.data + std::size_t(row) * f.stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(f.topDown ? row : f.height - 1 - row));
        switch (f.bits) {
        case 8:
            for (int x = 0; x < f.width; ++x)
                out[x] = f.palette[in[x]];
            break;
        case 24:
            for (int x = 0; x < f.width; ++x, in += 3)
                out[x] = qRgb(in[2], in[1], in[0]);
            break;
        default: // 32: blue, green, red and an unused byte
            for (int x = 0; x < f.width; ++x, in += 4)
                out[x] = qRgb(in[2], in[1], in[0]);
            break;
        }
    }
    m_frames[m_next] = std::move(image);
    return true;
}
