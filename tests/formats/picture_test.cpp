// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the picture reader and the colour key at the level of bytes:
// bitmaps read, and truncated or corrupt bitmaps refused before Qt's decoder
// sees them. The picture widget, its messages and its drawing are tested in
// tests/widgets/image_test.cpp.
#include "ColourKey.h"
#include "PictureReader.h"
#include "RiffWriter.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <cstdio>
#include <random>

namespace {

using Outcome = PictureReader::Outcome;

QByteArray bitmapBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(testPicture().save(&buffer, "BMP"));
    return bytes;
}

Outcome readBitmap(const QByteArray& bytes)
{
    QImage picture;
    return PictureReader::read(bytes, PictureReader::Format::Bitmap, picture);
}

} // namespace

TEST(PictureReader, ReadsABitmapAndRefusesWhatIsNone)
{
    QImage picture;
    ASSERT_EQ(PictureReader::read(bitmapBytes(), PictureReader::Format::Bitmap, picture), Outcome::Read);
    EXPECT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(picture.pixel(0, 2), red);
    const QImage before = picture;
    EXPECT_EQ(
        PictureReader::read("Dies ist kein Bild.\n", PictureReader::Format::Bitmap, picture), Outcome::InvalidBitmap);
    EXPECT_EQ(readBitmap(QByteArray()), Outcome::InvalidBitmap);
    // Only a bitmap is checked by its header; Qt's decoder judges the rest.
    EXPECT_EQ(PictureReader::read(bitmapBytes(), PictureReader::Format::Png, picture), Outcome::Undecodable);
    EXPECT_EQ(picture, before);
}

TEST(PictureReader, PixelsBeyondAShortPaletteReadAsTheyAreDrawn)
{
    // Two pixels of one bit, both index 1, with a palette of one colour.
    RiffWriter bitmap; // no RIFF file, but little-endian too
    bitmap.append(QByteArray("BM", 2));
    bitmap.u32(66), bitmap.u32(0), bitmap.u32(58);
    bitmap.bitmapInfoHeader(2, 1, 1, 0, 4, 1);
    bitmap.u32(0); // the palette: black
    bitmap.u32(0xC0); // the row, padded to four bytes
    QImage picture;
    ASSERT_EQ(PictureReader::read(bitmap.bytes(), PictureReader::Format::Bitmap, picture), Outcome::Read);
    // Keyed on its bottom-left pixel, as the clock's segment picture is.
    const QImage keyed = withoutKeyColour(picture, picture.pixel(0, 0));
    EXPECT_EQ(keyed.pixel(0, 0), 0u);
    EXPECT_EQ(keyed.pixel(1, 0), 0u);
}

TEST(PictureReader, TruncatedBitmapsAreInvalidAtEveryLength)
{
    const QByteArray bytes = bitmapBytes();
    for (qsizetype length = 0; length < bytes.size(); ++length)
        EXPECT_EQ(readBitmap(bytes.left(length)), Outcome::InvalidBitmap) << length;
}

TEST(PictureReader, CorruptHeadersNeverCrash)
{
    const QByteArray bytes = bitmapBytes();
    // Enormous dimensions in an otherwise short file.
    QByteArray huge = bytes;
    huge[18] = char(0xFF);
    huge[19] = char(0xFF);
    huge[22] = char(0xFF);
    huge[23] = char(0x7F);
    EXPECT_EQ(readBitmap(huge), Outcome::InvalidBitmap);

    std::mt19937 random(20261207u);
    std::printf("seed 20261207\n");
    for (int round = 0; round < 400; ++round) {
        QByteArray mutated = bytes;
        for (int flips = 0; flips < 3; ++flips)
            mutated[qsizetype(random() % 54)] = char(random() & 0xFF);
        const Outcome outcome = readBitmap(mutated);
        EXPECT_TRUE(outcome == Outcome::Read || outcome == Outcome::InvalidBitmap || outcome == Outcome::Undecodable)
            << "round " << round;
    }
}

TEST(ColourKey, LeavesOutTheKeyColourWhateverItsAlpha)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 255));
    image.setPixel(1, 0, qRgba(255, 0, 255, 128));
    image.setPixel(2, 0, qRgba(255, 0, 254, 255));
    const QImage keyed = withoutKeyColour(image, qRgb(255, 0, 255));
    EXPECT_EQ(keyed.format(), QImage::Format_ARGB32);
    EXPECT_EQ(keyed.pixel(0, 0), 0u);
    EXPECT_EQ(keyed.pixel(1, 0), 0u);
    EXPECT_EQ(keyed.pixel(2, 0), qRgba(255, 0, 254, 255));
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 255, 255)); // the original is kept
    // Any format comes out as ARGB32.
    EXPECT_EQ(withoutKeyColour(testPicture(), red).pixel(0, 2), 0u);
    EXPECT_EQ(withoutKeyColour(testPicture(), red).pixel(1, 2), green);
}
