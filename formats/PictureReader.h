// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// PictureReader: reads a picture file (Windows bitmap, PNG or JPEG) into a
// QImage. The format comes from the file name's extension, not from the
// content. A bitmap is first checked against its own header (sizes, bit
// depth, compression, enough pixel data) before Qt decodes it, so that a
// truncated or corrupt file is refused as invalid, and a tiny run-length
// file that claims a huge size costs neither memory nor time.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <optional>

class QString;

class PictureReader {
public:
    static constexpr qint64 maxFileBytes = 256 * 1024 * 1024;
    static constexpr std::int64_t maxSide = 32768; // bitmap width or height
    // Bitmap pixels in all; the pictures of this game are small.
    static constexpr std::int64_t maxPixels = 4 * 1024 * 1024;

    enum class Format { Bitmap, Png, Jpeg };
    // The format of an extension ("bmp", "png", "jpg", "jpeg" in any case,
    // without the dot); nothing for any other.
    static std::optional<Format> formatOfExtension(const QString& extension);

    enum class Outcome {
        Read,
        TooLarge, // more than maxFileBytes
        InvalidBitmap, // a bitmap header that does not hold together
        Undecodable, // Qt's decoder refused the content
    };
    // Reads `bytes`, a whole file; `picture` is changed only when it
    // returns Read.
    static Outcome read(const QByteArray& bytes, Format format, QImage& picture);
};
