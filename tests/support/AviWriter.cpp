// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The test clip builder: pixels to bottom-up DIB rows padded to 4 bytes,
// palette indexes for 8-bit clips; the file layout is RiffWriter's.
#include "AviWriter.h"

#include "RiffWriter.h"

#include <QImage>

#include <fstream>
#include <map>
#include <stdexcept>

std::uint32_t AviClip::colourOf(int k)
{
    // Distinct, easily told apart colours; never the border's white.
    return ((k * 37 % 256) << 16) | ((k * 91 % 256) << 8) | (255 - k * 13 % 200);
}

AviClip AviClip::plain(int width, int height, int count, std::uint32_t microsecondsPerFrame, std::uint32_t border)
{
    AviClip clip;
    clip.width = width;
    clip.height = height;
    clip.microsecondsPerFrame = microsecondsPerFrame;
    for (int k = 0; k < count; ++k) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, colourOf(k));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
                    pixels[static_cast<std::size_t>(y) * width + x] = border;
        clip.frames.push_back(std::move(pixels));
    }
    return clip;
}

QByteArray aviBytes(const AviClip& clip)
{
    if (clip.bitsPerPixel != 24 && clip.bitsPerPixel != 8)
        throw std::invalid_argument("AviWriter: 24 or 8 bits per pixel");
    const bool paletted = clip.bitsPerPixel == 8;
    RiffWriter::AviVideo video;
    video.width = clip.width;
    video.height = clip.height;
    video.bitsPerPixel = clip.bitsPerPixel;
    video.microsecondsPerFrame = clip.microsecondsPerFrame;
    std::map<std::uint32_t, std::uint8_t> index;
    if (paletted) {
        for (const auto& frame : clip.frames)
            for (std::uint32_t c : frame)
                if (!index.count(c)) {
                    if (video.palette.size() == 256)
                        throw std::invalid_argument("AviWriter: more than 256 colours");
                    index[c] = static_cast<std::uint8_t>(video.palette.size());
                    video.palette.push_back(c);
                }
    }
    const auto stride = static_cast<qsizetype>(RiffWriter::dibStride(clip.width, clip.bitsPerPixel));
    for (const auto& frame : clip.frames) {
        if (frame.size() != static_cast<std::size_t>(clip.width) * clip.height)
            throw std::invalid_argument("AviWriter: frame of the wrong size");
        if (!paletted) {
            // 0xRRGGBB words are Qt's RGB32 pixels.
            const QImage picture(reinterpret_cast<const uchar*>(frame.data()), clip.width, clip.height, clip.width * 4,
                QImage::Format_RGB32);
            video.frames.push_back(RiffWriter::dibRows24(picture));
            continue;
        }
        QByteArray rows;
        for (int y = clip.height - 1; y >= 0; --y) {
            const qsizetype start = rows.size();
            for (int x = 0; x < clip.width; ++x)
                rows.append(static_cast<char>(index[frame[static_cast<std::size_t>(y) * clip.width + x]]));
            rows.append(start + stride - rows.size(), '\0');
        }
        video.frames.push_back(rows);
    }
    return RiffWriter::avi(video);
}

bool writeBytes(const std::string& path, const QByteArray& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool writeAvi(const std::string& path, const AviClip& clip)
{
    return writeBytes(path, aviBytes(clip));
}
