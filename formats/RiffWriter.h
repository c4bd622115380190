// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// RiffWriter: writes little-endian fields and RIFF chunks, and on them the two
// RIFF files the game reads: 16-bit PCM WAV sound and uncompressed AVI clips
// (BITMAPINFOHEADER frames). The media generator writes the game's own files
// with it, and the tests their sample and damaged files. A chunk is begun,
// filled and ended; end() fills in its size and pads it to an even length,
// so lists nest as deep as wanted.
#pragma once

#include <QByteArray>
#include <QRgb>

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;

class RiffWriter {
public:
    void u8(std::uint8_t value) { m_bytes.append(static_cast<char>(value)); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    // Four characters such as "RIFF" or "00db".
    void fourcc(const char* code) { m_bytes.append(code, 4); }
    void append(const QByteArray& bytes) { m_bytes.append(bytes); }

    // Starts a chunk and returns the place of its size, for end().
    std::size_t begin(const char* id);
    // Starts a RIFF or LIST chunk of the given type ("AVI ", "hdrl", ...).
    std::size_t beginList(const char* id, const char* type);
    // Fills in the size of the chunk begun at `chunk` and pads it.
    void end(std::size_t chunk);

    const QByteArray& bytes() const { return m_bytes; }

    // A BITMAPINFOHEADER (40 bytes) at 96 pixels per inch; a negative height
    // stores the rows top-down.
    void bitmapInfoHeader(
        int width, int height, int bitsPerPixel, std::uint32_t compression, std::uint32_t imageBytes, int coloursUsed);
    // Bytes of one row of a DIB: whole pixels padded to four bytes.
    static std::uint32_t dibStride(int width, int bitsPerPixel);
    // The pixels of `image` as 24-bit DIB rows: bottom-up, blue, green, red.
    static QByteArray dibRows24(const QImage& image);

    // A WAV file of 16-bit PCM samples, channels interleaved.
    static QByteArray pcmWave(
        std::uint32_t sampleRate, std::uint16_t channels, const std::vector<std::int16_t>& samples);

    struct AviVideo {
        int width = 0;
        int height = 0; // negative: rows stored top-down
        int bitsPerPixel = 24;
        std::uint32_t compression = 0; // BI_RGB
        const char* handler = "DIB ";
        std::vector<QRgb> palette; // after the BITMAPINFOHEADER, as RGBQUADs
        std::uint32_t microsecondsPerFrame = 66666;
        // The stream header's frame rate is rate / scale frames per second;
        // with rate 0 it is 1000000 / microsecondsPerFrame.
        std::uint32_t rate = 0;
        std::uint32_t scale = 0;
        // The headers' frame count; 0: the number of frames given.
        std::uint32_t frameCount = 0;
        std::vector<QByteArray> frames; // the data of each '00db' chunk
        bool index = true; // an idx1 chunk, announced in the main header
    };
    // The header list 'hdrl': the main header 'avih' first, as the game reads
    // it, then one video stream.
    void aviHeaders(const AviVideo& video);
    // The whole file: RIFF 'AVI ' with hdrl, movi and (with index) idx1.
    static QByteArray avi(const AviVideo& video);

private:
    QByteArray m_bytes;
};
