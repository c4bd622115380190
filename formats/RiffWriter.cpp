// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The RIFF writer: the fields of each header in the order of the Windows
// structures they stand for (AVIMAINHEADER, AVISTREAMHEADER,
// BITMAPINFOHEADER, WAVEFORMATEX).
#include "RiffWriter.h"

#include <QImage>

#include <cstdlib>

namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyframe = 0x10;
constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;

} // namespace

void RiffWriter::u16(std::uint16_t value)
{
    u8(static_cast<std::uint8_t>(value & 0xFF));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void RiffWriter::u32(std::uint32_t value)
{
    u16(static_cast<std::uint16_t>(value & 0xFFFF));
    u16(static_cast<std::uint16_t>(value >> 16));
}

std::size_t RiffWriter::begin(const char* id)
{
    fourcc(id);
    u32(0);
    return static_cast<std::size_t>(m_bytes.size()) - 4;
}

std::size_t RiffWriter::beginList(const char* id, const char* type)
{
    const std::size_t chunk = begin(id);
    fourcc(type);
    return chunk;
}

void RiffWriter::end(std::size_t chunk)
{
    const auto size = static_cast<std::uint32_t>(static_cast<std::size_t>(m_bytes.size()) - chunk - 4);
    for (int i = 0; i < 4; ++i)
        m_bytes[static_cast<qsizetype>(chunk) + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    if (size % 2 != 0)
        u8(0);
}

void RiffWriter::bitmapInfoHeader(
    int width, int height, int bitsPerPixel, std::uint32_t compression, std::uint32_t imageBytes, int coloursUsed)
{
    u32(40);
    u32(static_cast<std::uint32_t>(width));
    u32(static_cast<std::uint32_t>(height));
    u16(1); // planes
    u16(static_cast<std::uint16_t>(bitsPerPixel));
    u32(compression);
    u32(imageBytes);
    u32(kPixelsPerMetreAt96Dpi);
    u32(kPixelsPerMetreAt96Dpi);
    u32(static_cast<std::uint32_t>(coloursUsed));
    u32(0); // all colours important
}

std::uint32_t RiffWriter::dibStride(int width, int bitsPerPixel)
{
    return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) / 32 * 4;
}

QByteArray RiffWriter::dibRows24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto stride = static_cast<qsizetype>(dibStride(rgb.width(), 24));
    QByteArray rows;
    rows.reserve(stride * rgb.height());
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const qsizetype start = rows.size();
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            rows.append(static_cast<char>(qBlue(line[x])));
            rows.append(static_cast<char>(qGreen(line[x])));
            rows.append(static_cast<char>(qRed(line[x])));
        }
        rows.append(start + stride - rows.size(), '\0');
    }
    return rows;
}

QByteArray RiffWriter::pcmWave(
    std::uint32_t sampleRate, std::uint16_t channels, const std::vector<std::int16_t>& samples)
{
    RiffWriter w;
    const std::size_t riff = w.beginList("RIFF", "WAVE");
    const std::size_t format = w.begin("fmt ");
    w.u16(1); // PCM
    w.u16(channels);
    w.u32(sampleRate);
    w.u32(sampleRate * channels * 2); // bytes per second
    w.u16(static_cast<std::uint16_t>(channels * 2)); // bytes per frame
    w.u16(16);
    w.end(format);
    const std::size_t data = w.begin("data");
    for (std::int16_t sample : samples)
        w.u16(static_cast<std::uint16_t>(sample));
    w.end(data);
    w.end(riff);
    return w.m_bytes;
}

void RiffWriter::aviHeaders(const AviVideo& video)
{
    const std::uint32_t frames
        = video.frameCount != 0 ? video.frameCount : static_cast<std::uint32_t>(video.frames.size());
    const std::uint32_t rows = static_cast<std::uint32_t>(std::abs(video.height));
    const std::uint32_t frameBytes = dibStride(video.width, video.bitsPerPixel) * rows;
    const std::uint32_t rate = video.rate != 0 ? video.rate : 1000000;
    const std::uint32_t scale = video.rate != 0 ? video.scale : video.microsecondsPerFrame;

    const std::size_t hdrl = beginList("LIST", "hdrl");
    const std::size_t avih = begin("avih");
    u32(video.microsecondsPerFrame);
    u32(static_cast<std::uint32_t>(std::uint64_t(frameBytes) * 1000000 / video.microsecondsPerFrame + 1));
    u32(0); // padding granularity
    u32(video.index ? kAvifHasIndex : 0);
    u32(frames);
    u32(0); // initial frames
    u32(1); // streams
    u32(frameBytes + 8); // suggested buffer: one frame chunk
    u32(static_cast<std::uint32_t>(video.width));
    u32(rows);
    for (int i = 0; i < 4; ++i)
        u32(0); // reserved
    end(avih);

    const std::size_t strl = beginList("LIST", "strl");
    const std::size_t strh = begin("strh");
    fourcc("vids");
    fourcc(video.handler);
    u32(0); // flags
    u16(0); // priority
    u16(0); // language
    u32(0); // initial frames
    u32(scale);
    u32(rate);
    u32(0); // start
    u32(frames); // length
    u32(frameBytes); // suggested buffer
    u32(0xFFFFFFFF); // quality: the default
    u32(0); // sample size: varies, as for all video
    u16(0); // frame rectangle: left, top, right, bottom
    u16(0);
    u16(static_cast<std::uint16_t>(video.width));
    u16(static_cast<std::uint16_t>(rows));
    end(strh);
    const std::size_t strf = begin("strf");
    bitmapInfoHeader(video.width, video.height, video.bitsPerPixel, video.compression, frameBytes,
        static_cast<int>(video.palette.size()));
    for (QRgb colour : video.palette) { // RGBQUAD: blue, green, red, 0
        u8(static_cast<std::uint8_t>(qBlue(colour)));
        u8(static_cast<std::uint8_t>(qGreen(colour)));
        u8(static_cast<std::uint8_t>(qRed(colour)));
        u8(0);
    }
    end(strf);
    end(strl);
    end(hdrl);
}

QByteArray RiffWriter::avi(const AviVideo& video)
{
    RiffWriter w;
    const std::size_t riff = w.beginList("RIFF", "AVI ");
    w.aviHeaders(video);
    const std::size_t movi = w.beginList("LIST", "movi");
    // Offsets in idx1 count from the 'movi' type.
    const std::size_t moviType = movi + 4;
    std::vector<std::uint32_t> offsets;
    for (const QByteArray& frame : video.frames) {
        offsets.push_back(static_cast<std::uint32_t>(static_cast<std::size_t>(w.m_bytes.size()) - moviType));
        const std::size_t chunk = w.begin("00db");
        w.append(frame);
        w.end(chunk);
    }
    w.end(movi);
    if (video.index) {
        const std::size_t idx1 = w.begin("idx1");
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            w.fourcc("00db");
            w.u32(kAviifKeyframe);
            w.u32(offsets[i]);
            w.u32(static_cast<std::uint32_t>(video.frames[i].size()));
        }
        w.end(idx1);
    }
    w.end(riff);
    return w.m_bytes;
}
