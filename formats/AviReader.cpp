// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading a clip: the main header at its fixed offsets, checked against the
// RIFF structure before any field is read, then the frames.
#include "AviReader.h"

#include "ColourKey.h"
#include "FfmpegAviReader.h"
#include "LittleEndianReader.h"
#include "RawAviReader.h"

#include <utility>

namespace {

// Offsets of the AVI main header ('avih') in a RIFF file whose first list is
// 'hdrl' with 'avih' as its first chunk.
constexpr std::size_t kAvihData = 32;
constexpr std::size_t kAvihSize = 56;

struct MainHeader {
    std::uint32_t usPerFrame = 0;
    std::uint32_t totalFrames = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Checks the RIFF structure before any field is read, so a truncated or
// foreign file never makes us read past its end.
AviReader::Outcome readMainHeader(const QByteArray& bytes, MainHeader& h)
{
    using Outcome = AviReader::Outcome;
    const LittleEndianReader in(bytes);
    if (!in.contains(0, kAvihData + kAvihSize))
        return Outcome::NotAvi;
    if (!in.tag(0, "RIFF") || !in.tag(8, "AVI ") || !in.tag(12, "LIST") || !in.tag(20, "hdrl") || !in.tag(24, "avih"))
        return Outcome::NotAvi;
    // The RIFF size tells how long the file must be: a shorter one was cut off.
    if (in.size() < std::uint64_t(in.u32(4)) + 8)
        return Outcome::NotAvi;
    if (in.u32(16) < 4 + 8 + kAvihSize || in.u32(28) < kAvihSize)
        return Outcome::NotAvi;
    h.usPerFrame = in.u32(32);
    h.totalFrames = in.u32(48);
    h.width = in.u32(64);
    h.height = in.u32(68);
    if (h.usPerFrame == 0 || h.totalFrames == 0 || h.totalFrames > AviReader::maxFrames || h.width == 0 || h.height == 0
        || h.width > AviReader::maxSide || h.height > AviReader::maxSide)
        return Outcome::BeyondLimits;
    if (std::uint64_t(h.width) * h.height * 4 * h.totalFrames > AviReader::maxDecodedBytes)
        return Outcome::BeyondLimits;
    return Outcome::Read;
}

// Uncompressed clips, the game's own among them, are read directly; only
// compressed ones need FFmpeg, which is then loaded.
AviReader::Outcome decodeFrames(const QByteArray& bytes, std::uint32_t totalFrames, std::vector<QImage>& frames)
{
    using Outcome = AviReader::Outcome;
    const RawAviReader::Limits limits { AviReader::maxSide, AviReader::maxDecodedBytes };
    RawAviReader raw(bytes, totalFrames, limits);
    switch (raw.read()) {
    case RawAviReader::Outcome::Decoded: frames = raw.takeFrames(); return Outcome::Read;
    case RawAviReader::Outcome::Corrupt: return Outcome::Corrupt;
    case RawAviReader::Outcome::NotRaw: break;
    }
    FfmpegAviReader ffmpeg(bytes, totalFrames, limits);
    switch (ffmpeg.read()) {
    case FfmpegAviReader::Outcome::Decoded: frames = ffmpeg.takeFrames(); return Outcome::Read;
    case FfmpegAviReader::Outcome::NoLibrary: return Outcome::NoCodecLibrary;
    case FfmpegAviReader::Outcome::Undecodable: break;
    }
    return Outcome::Undecodable;
}

} // namespace

AviReader::Outcome AviReader::read(const QByteArray& bytes, Clip& clip)
{
    if (bytes.size() > maxFileBytes)
        return Outcome::TooLarge;
    MainHeader header;
    if (const Outcome checked = readMainHeader(bytes, header); checked != Outcome::Read)
        return checked;
    std::vector<QImage> frames;
    if (const Outcome decoded = decodeFrames(bytes, header.totalFrames, frames); decoded != Outcome::Read)
        return decoded;

    // Premultiplied frames draw fastest; the key's zeros stay zeros. A frame
    // the clip leaves out repeats the one before, sharing its pixels.
    const QRgb background = frames.front().pixel(0, 0);
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i] = frames[i].isNull()
            ? frames[i - 1]
            : withoutKeyColour(std::move(frames[i]), background).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    clip.frames = std::move(frames);
    clip.microsecondsPerFrame = header.usPerFrame;
    clip.size = QSize(static_cast<int>(header.width), static_cast<int>(header.height));
    return Outcome::Read;
}
