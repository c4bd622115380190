// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading pictures: the bitmap header check (BITMAPCOREHEADER of 12 bytes
// or BITMAPINFOHEADER and its longer successors), then Qt's decoder.
#include "PictureReader.h"

#include "LittleEndianReader.h"

#include <QString>

#include <cstdlib>

std::optional<PictureReader::Format> PictureReader::formatOfExtension(const QString& extension)
{
    const QString kind = extension.toLower();
    if (kind == QLatin1String("bmp"))
        return Format::Bitmap;
    if (kind == QLatin1String("png"))
        return Format::Png;
    if (kind == QLatin1String("jpg") || kind == QLatin1String("jpeg"))
        return Format::Jpeg;
    return std::nullopt;
}

namespace {

// True when the header describes a bitmap whose pixel data is all there
// and within the limits.
bool plausibleBitmap(const QByteArray& bytes)
{
    const LittleEndianReader in(bytes);
    const std::int64_t size = bytes.size();
    if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::int64_t offBits = in.u32(10);
    const std::int64_t headerSize = in.u32(14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = in.u16(18);
        height = in.u16(20);
        planes = in.u16(22);
        bitCount = in.u16(24);
    } else if (headerSize >= 40 && headerSize <= 1024 && 14 + headerSize <= size) {
        width = in.i32(18);
        height = in.i32(22);
        planes = in.u16(26);
        bitCount = in.u16(28);
        compression = in.u32(30);
    } else {
        return false;
    }
    height = std::llabs(height);
    if (planes != 1 || width <= 0 || height <= 0 || width > PictureReader::maxSide || height > PictureReader::maxSide
        || width * height > PictureReader::maxPixels)
        return false;
    if (offBits < 14 + headerSize || offBits > size)
        return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return false;
    }
    switch (compression) {
    case 0: // uncompressed
    case 3: { // bit fields
        const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
        return offBits + rowBytes * height <= size;
    }
    case 1: // RLE8
        return bitCount == 8 && offBits < size;
    case 2: // RLE4
        return bitCount == 4 && offBits < size;
    default: return false;
    }
}

} // namespace

PictureReader::Outcome PictureReader::read(const QByteArray& bytes, Format format, QImage& picture)
{
    if (bytes.size() > maxFileBytes)
        return Outcome::TooLarge;
    if (format == Format::Bitmap && !plausibleBitmap(bytes))
        return Outcome::InvalidBitmap;
    const char* const qtFormat = format == Format::Bitmap ? "BMP" : format == Format::Png ? "PNG" : "JPG";
    QImage loaded;
    if (!loaded.loadFromData(bytes, qtFormat) || loaded.isNull())
        return Outcome::Undecodable;
    // A palette may be shorter than the pixels' indexes need. Qt draws such
    // a pixel in a colour of its own choosing but reads it back as 0, so a
    // colour key taken from it would miss; with the colours resolved once
    // here, what is drawn and what is read agree.
    if (loaded.colorCount() > 0)
        loaded = loaded.convertToFormat(loaded.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture = loaded;
    return Outcome::Read;
}
