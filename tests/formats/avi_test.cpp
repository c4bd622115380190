// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the AVI reader at the level of bytes: clips of every uncompressed
// depth and row order read without FFmpeg, compressed ones (run-length,
// 16-bit) through FFmpeg loaded at run time, the background keyed out, and
// truncated, foreign, lying and oversized files refused without reading past
// their end. What the clock widget makes of a clip (its size, its messages,
// its timing) is tested in tests/widgets/animate_test.cpp.
#include "AviReader.h"
#include "AviWriter.h"
#include "FfmpegLibrary.h"
#include "LittleEndianReader.h"
#include "RiffWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Outcome = AviReader::Outcome;
constexpr std::uint32_t kD = 66666; // microseconds per frame of the test clips

// Clips AviWriter does not make: 32 bits, top-down rows, 'rec ' lists and
// foreign chunks between frames, compressed frames, and no index.
struct ClipPlan {
    int width = 0;
    int height = 0; // of the stream format; negative: rows top-down
    int bits = 24;
    std::uint32_t compression = 0; // BI_RGB; 1: BI_RLE8
    std::vector<QRgb> palette; // 0xRRGGBB
    std::uint32_t totalFrames = 0; // of the main header
    std::vector<QByteArray> chunks; // frame chunk data
    const char* frameId = "00db";
    bool recLists = false; // each frame inside a LIST 'rec '
    bool extras = false; // JUNK and an audio chunk before every frame
};

QByteArray clipBytes(const ClipPlan& c)
{
    RiffWriter::AviVideo video;
    video.width = c.width;
    video.height = c.height;
    video.bitsPerPixel = c.bits;
    video.compression = c.compression;
    video.handler = c.compression == 1 ? "mrle" : "DIB ";
    video.palette = c.palette;
    video.microsecondsPerFrame = kD;
    video.frameCount = c.totalFrames;
    video.index = false;
    RiffWriter b;
    const auto riff = b.beginList("RIFF", "AVI ");
    b.aviHeaders(video);
    const auto junk = b.begin("JUNK");
    b.u32(0);
    b.end(junk);
    const auto movi = b.beginList("LIST", "movi");
    for (const auto& chunk : c.chunks) {
        std::size_t rec = 0;
        if (c.recLists)
            rec = b.beginList("LIST", "rec ");
        if (c.extras) {
            const auto filler = b.begin("JUNK");
            b.u8(7); // odd size: padded
            b.end(filler);
            const auto audio = b.begin("01wb");
            b.u32(0);
            b.end(audio);
        }
        const auto frame = b.begin(c.frameId);
        b.append(chunk);
        b.end(frame);
        if (c.recLists)
            b.end(rec);
    }
    b.end(movi);
    b.end(riff);
    return b.bytes();
}

// Test picture: the top-left pixel is the background (keyed out); every
// other pixel tells its position and frame apart from the rest.
std::uint32_t testColour(int x, int y, int k)
{
    if (x == 0 && y == 0)
        return 0x00FF00;
    return std::uint32_t((x * 29 + k * 7) % 250) << 16 | std::uint32_t((y * 53) % 250) << 8
        | std::uint32_t(k * 40 % 250);
}

// DIB rows of frame k of the test picture: bottom-up unless `topDown`, each
// padded to 4 bytes; 8-bit pixels index `palette`, 32-bit ones carry a junk
// fourth byte that must not be taken for alpha.
QByteArray dibFrame(int w, int h, int bits, bool topDown, int k, const std::vector<QRgb>& palette)
{
    const auto stride = static_cast<int>(RiffWriter::dibStride(w, bits));
    QByteArray out;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        const qsizetype start = out.size();
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = testColour(x, y, k);
            if (bits == 8) {
                out.append(static_cast<char>(std::find(palette.begin(), palette.end(), c) - palette.begin()));
                continue;
            }
            out.append(static_cast<char>(c & 0xFF));
            out.append(static_cast<char>((c >> 8) & 0xFF));
            out.append(static_cast<char>((c >> 16) & 0xFF));
            if (bits == 32)
                out.append(static_cast<char>(x * 17));
        }
        out.append(start + stride - out.size(), '\xEE'); // padding
    }
    return out;
}

ClipPlan testClip(int w, int h, int bits, bool topDown, int frames)
{
    ClipPlan c;
    c.width = w;
    c.height = topDown ? -h : h;
    c.bits = bits;
    c.totalFrames = static_cast<std::uint32_t>(frames);
    if (bits == 8)
        for (int k = 0; k < frames; ++k)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (std::find(c.palette.begin(), c.palette.end(), testColour(x, y, k)) == c.palette.end())
                        c.palette.push_back(testColour(x, y, k));
    for (int k = 0; k < frames; ++k)
        c.chunks.push_back(dibFrame(w, h, bits, topDown, k, c.palette));
    return c;
}

// Where `tag` first occurs in `bytes`.
std::size_t offsetOf(const QByteArray& bytes, const char* tag)
{
    return static_cast<std::size_t>(bytes.indexOf(QByteArray(tag, 4)));
}

void put32(QByteArray& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<qsizetype>(at) + i] = static_cast<char>(v >> (8 * i));
}

// A clip that no test expects to be touched by a refused read.
AviReader::Clip untouched()
{
    AviReader::Clip clip;
    clip.frames.resize(3);
    clip.microsecondsPerFrame = 17;
    return clip;
}

// Expects `bytes` refused, and the clip given to the reader left as it was.
void expectRefused(const QByteArray& bytes, const std::string& what)
{
    AviReader::Clip clip = untouched();
    EXPECT_NE(AviReader::read(bytes, clip), Outcome::Read) << what;
    EXPECT_EQ(clip.frames.size(), 3u) << what;
    EXPECT_EQ(clip.microsecondsPerFrame, 17u) << what;
}

// Expects `clip` to hold frames 0..count-1 of the test picture, background
// transparent and everything else opaque.
void expectTestPicture(const AviReader::Clip& clip, int w, int h, int count, const std::string& what)
{
    ASSERT_EQ(static_cast<int>(clip.frames.size()), count) << what;
    ASSERT_EQ(clip.size, QSize(w, h)) << what;
    for (int k = 0; k < count; ++k) {
        const QImage& image = clip.frames[static_cast<std::size_t>(k)];
        ASSERT_EQ(image.size(), QSize(w, h)) << what;
        EXPECT_EQ(image.pixel(0, 0), 0u) << what << " frame " << k;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x || y) {
                    ASSERT_EQ(image.pixel(x, y), 0xFF000000 | testColour(x, y, k))
                        << what << " frame " << k << " at " << x << "," << y;
                }
    }
}

} // namespace

TEST(AviReader, ReadsClipsOf24And8BitsWithTheirTimingAndBackgroundKeyedOut)
{
    for (int bits : { 24, 8 }) {
        AviClip written = AviClip::plain(85, 87, 20, kD);
        written.bitsPerPixel = bits;
        AviReader::Clip clip;
        ASSERT_EQ(AviReader::read(aviBytes(written), clip), Outcome::Read) << bits;
        EXPECT_EQ(clip.frames.size(), 20u);
        EXPECT_EQ(clip.microsecondsPerFrame, kD);
        EXPECT_EQ(clip.size, QSize(85, 87));
        for (int k : { 1, 2, 20 })
            EXPECT_EQ(clip.frames[k - 1].pixel(40, 40), 0xFF000000 | AviClip::colourOf(k - 1)) << bits << " " << k;
        // The white border has the top-left pixel's colour: the clip's background.
        EXPECT_EQ(qAlpha(clip.frames[0].pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(clip.frames[0].pixel(84, 86)), 0);
    }
}

TEST(AviReader, RefusesTruncatedForeignAndUndecodableFiles)
{
    const QByteArray good = aviBytes(AviClip::plain(20, 10, 15, kD));
    std::vector<std::pair<std::string, QByteArray>> bad;
    for (qsizetype cut : { qsizetype(0), qsizetype(11), qsizetype(40), qsizetype(71), qsizetype(87), qsizetype(150),
             good.size() / 2, good.size() - 1 })
        bad.emplace_back("cut at " + std::to_string(cut), good.left(cut));
    bad.emplace_back("text", QByteArray("Dies ist keine Videodatei, sondern ein langer Text ohne jede Bedeutung."));
    auto wave = good;
    wave.replace(8, 4, "WAVE");
    bad.emplace_back("RIFF WAVE", wave);
    auto noHdrl = good;
    noHdrl.replace(20, 4, "movi");
    bad.emplace_back("first list not hdrl", noHdrl);
    auto noAvih = good;
    noAvih.replace(24, 4, "strh");
    bad.emplace_back("avih not first", noAvih);
    for (const auto& [what, bytes] : bad) {
        AviReader::Clip clip;
        EXPECT_EQ(AviReader::read(bytes, clip), Outcome::NotAvi) << what;
    }

    auto noFrames = good;
    put32(noFrames, 48, 0);
    auto huge = good;
    put32(huge, 64, 0xFFFFFFFF);
    for (const auto& [what, bytes] : { std::pair { "no frames", noFrames }, { "absurd width", huge } }) {
        AviReader::Clip clip;
        EXPECT_EQ(AviReader::read(bytes, clip), Outcome::BeyondLimits) << what;
    }

    // Frames in a compression nobody decodes: the header is fine, the frames are not.
    auto unknownCodec = good;
    unknownCodec.replace(static_cast<qsizetype>(offsetOf(unknownCodec, "strf")) + 8 + 16, 4, "ZZZZ");
    AviReader::Clip clip;
    EXPECT_EQ(AviReader::read(unknownCodec, clip), Outcome::Undecodable);
}

TEST(AviReader, RefusesFilesPastTheSizeLimitWhateverTheyHold)
{
    // A good clip with trailing bytes past its RIFF chunk, just at the limit
    // and one byte past it.
    QByteArray bytes = aviBytes(AviClip::plain(20, 10, 15, kD));
    bytes.append(AviReader::maxFileBytes - bytes.size(), '\0');
    AviReader::Clip clip;
    EXPECT_EQ(AviReader::read(bytes, clip), Outcome::Read);
    bytes.append('\0');
    EXPECT_EQ(AviReader::read(bytes, clip), Outcome::TooLarge);
}

TEST(AviReader, RandomlyDamagedClipsReadOrAreRefusedCleanly)
{
    const unsigned seed = 20261207;
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    AviClip written = AviClip::plain(12, 9, 15, kD);
    written.bitsPerPixel = 8;
    const QByteArray good = aviBytes(written);
    int read = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        const int changes = 1 + int(random() % 8);
        for (int c = 0; c < changes; ++c)
            bytes[qsizetype(random() % std::size_t(bytes.size()))] = static_cast<char>(random());
        AviReader::Clip clip;
        if (AviReader::read(bytes, clip) != Outcome::Read)
            continue;
        ++read;
        EXPECT_GE(clip.frames.size(), 1u) << "round " << round;
        for (const QImage& frame : clip.frames)
            EXPECT_FALSE(frame.isNull()) << "round " << round;
    }
    EXPECT_GT(read, 0);
}

TEST(AviReader, UncompressedClipsOfEveryDepthAndRowOrder)
{
    // Widths 5 and 7 leave padding at the end of 8- and 24-bit rows.
    for (int bits : { 8, 24, 32 })
        for (bool topDown : { false, true })
            for (int w : { 5, 7, 12 }) {
                const std::string what = std::to_string(bits) + " bits, width " + std::to_string(w)
                    + (topDown ? ", top-down" : ", bottom-up");
                AviReader::Clip clip;
                ASSERT_EQ(AviReader::read(clipBytes(testClip(w, 6, bits, topDown, 3)), clip), Outcome::Read) << what;
                expectTestPicture(clip, w, 6, 3, what);
            }
}

TEST(AviReader, FramesAreFoundInRecListsBetweenOtherChunks)
{
    ClipPlan plan = testClip(6, 4, 24, false, 4);
    plan.recLists = true;
    plan.extras = true;
    plan.frameId = "00dc";
    AviReader::Clip clip;
    ASSERT_EQ(AviReader::read(clipBytes(plan), clip), Outcome::Read);
    expectTestPicture(clip, 6, 4, 4, "rec lists");

    // An empty chunk repeats the frame before; frames beyond the main
    // header's count are ignored, those missing repeat the last one.
    plan = testClip(6, 4, 24, false, 4);
    plan.chunks[2].clear();
    plan.totalFrames = 6;
    plan.chunks.push_back(dibFrame(6, 4, 24, false, 9, {}));
    ASSERT_EQ(AviReader::read(clipBytes(plan), clip), Outcome::Read);
    ASSERT_EQ(clip.frames.size(), 6u);
    for (auto [number, shown] : { std::pair { 2, 1 }, { 3, 1 }, { 4, 3 }, { 5, 9 }, { 6, 9 } })
        EXPECT_EQ(clip.frames[number - 1].pixel(3, 2), 0xFF000000 | testColour(3, 2, shown)) << number;
    plan.totalFrames = 2;
    ASSERT_EQ(AviReader::read(clipBytes(plan), clip), Outcome::Read);
    EXPECT_EQ(clip.frames.size(), 2u);
}

TEST(AviReader, UncompressedClipsWithLyingSizesAreRefused)
{
    const QByteArray good = clipBytes(testClip(5, 4, 8, false, 3));
    const std::size_t strf = offsetOf(good, "strf");
    const std::size_t movi = offsetOf(good, "movi") - 8;
    const std::size_t frame = offsetOf(good, "00db");

    // Cut anywhere after the headers, with the RIFF size made to fit the cut,
    // so that only the inner sizes tell: the list cut short is refused and
    // nothing is read past the end.
    for (std::size_t cut = strf; cut < std::size_t(good.size()); ++cut) {
        QByteArray bytes = good.left(static_cast<qsizetype>(cut));
        put32(bytes, 4, static_cast<std::uint32_t>(cut - 8));
        expectRefused(bytes, "cut at " + std::to_string(cut));
    }

    std::vector<std::pair<std::string, QByteArray>> bad;
    auto patched = [&](const std::string& what, std::size_t at, std::uint32_t value) {
        auto bytes = good;
        put32(bytes, at, value);
        bad.emplace_back(what, std::move(bytes));
    };
    patched("RIFF size below the header", 4, 2);
    patched("hdrl beyond the file", 16, 0xFFFFFFF0);
    patched("strf beyond its list", strf + 4, 0x7FFFFFF0);
    patched("strf too short", strf + 4, 12);
    patched("header size beyond strf", strf + 8, 0xFFFFFFFF);
    patched("header size too small", strf + 8, 8);
    patched("negative width", strf + 12, 0xFFFFFFFB);
    patched("no rows", strf + 16, 0);
    patched("most negative height", strf + 16, 0x80000000);
    patched("height beyond the limit", strf + 16, 5000);
    patched("movi beyond the file", movi + 4, 0xFFFFFFF8);
    patched("frame chunk beyond the file", frame + 4, 0xFFFFFFFF);
    patched("frame chunk shorter than a frame", frame + 4, 8);
    patched("first frame empty", frame + 4, 0);
    auto huge = good;
    put32(huge, 48, 99999);
    put32(huge, strf + 12, 4000);
    bad.emplace_back("frames too large for memory", huge);
    auto noMovi = good;
    noMovi.replace(static_cast<qsizetype>(movi) + 8, 4, "mova");
    bad.emplace_back("no movi list", noMovi);
    auto noVideo = good;
    noVideo.replace(static_cast<qsizetype>(strf), 4, "strz");
    bad.emplace_back("no stream format", noVideo);
    for (const auto& [what, bytes] : bad)
        expectRefused(bytes, what);

    // A palette reaching beyond the format chunk takes only what is there:
    // the missing entries are black.
    auto shortPalette = good;
    put32(shortPalette, strf + 8 + 32, 0xFFFFFFFF);
    AviReader::Clip clip;
    ASSERT_EQ(AviReader::read(shortPalette, clip), Outcome::Read);
    EXPECT_EQ(clip.frames.size(), 3u);

    // 'rec ' lists nested past any real use.
    RiffWriter deep;
    std::vector<std::size_t> open;
    for (int depth = 0; depth < 50; ++depth)
        open.push_back(deep.beginList("LIST", "rec "));
    while (!open.empty()) {
        deep.end(open.back());
        open.pop_back();
    }
    QByteArray bytes = clipBytes(testClip(5, 4, 24, false, 1));
    const std::size_t at = offsetOf(bytes, "movi") + 4;
    bytes.insert(static_cast<qsizetype>(at), deep.bytes());
    put32(bytes, at - 8, static_cast<std::uint32_t>(LittleEndianReader(bytes).u32(at - 8) + deep.bytes().size()));
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    expectRefused(bytes, "deeply nested rec lists");
}

TEST(AviReader, CompressedClipsDecodeThroughFfmpeg)
{
    // Run-length frames (BI_RLE8), written by hand: per row from the bottom,
    // pairs of count and palette index, 0 0 ending the row, 0 1 the picture.
    ClipPlan rle;
    rle.width = 8;
    rle.height = 4;
    rle.bits = 8;
    rle.compression = 1;
    rle.palette = { 0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00 };
    rle.frameId = "00dc";
    rle.totalFrames = 2;
    auto rows = [](int inner) {
        QByteArray out;
        const auto add = [&out](std::initializer_list<int> values) {
            for (int value : values)
                out.append(static_cast<char>(value));
        };
        for (int row = 0; row < 4; ++row) {
            if (row == 0 || row == 3)
                add({ 8, 0 });
            else
                add({ 1, 0, 3, inner, 3, 3, 1, 0 });
            add({ 0, 0 });
        }
        add({ 0, 1 });
        return out;
    };
    rle.chunks = { rows(1), rows(2) };
    AviReader::Clip clip;
    ASSERT_EQ(AviReader::read(clipBytes(rle), clip), Outcome::Read);
    ASSERT_EQ(clip.frames.size(), 2u);
    EXPECT_EQ(clip.size, QSize(8, 4));
    for (int number : { 1, 2 }) {
        const QImage& image = clip.frames[number - 1];
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << number; // white background keyed out
        EXPECT_EQ(qAlpha(image.pixel(7, 3)), 0) << number;
        EXPECT_EQ(image.pixel(1, 1), number == 1 ? 0xFFFF0000u : 0xFF0000FFu) << number;
        EXPECT_EQ(image.pixel(3, 2), number == 1 ? 0xFFFF0000u : 0xFF0000FFu) << number;
        EXPECT_EQ(image.pixel(5, 2), 0xFF00FF00u) << number;
    }

    // 16-bit BI_RGB (5-5-5) is not read directly either.
    ClipPlan rgb555;
    rgb555.width = 2;
    rgb555.height = 2;
    rgb555.bits = 16;
    rgb555.totalFrames = 1;
    // Bottom row white, red; top row white, blue.
    rgb555.chunks = { QByteArray("\xFF\x7F\x00\x7C\xFF\x7F\x1F\x00", 8) };
    ASSERT_EQ(AviReader::read(clipBytes(rgb555), clip), Outcome::Read);
    const QImage image = clip.frames.at(0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_GE(qRed(image.pixel(1, 1)), 0xF0);
    EXPECT_EQ(image.pixel(1, 1) & 0xFF00FFFF, 0xFF000000u);
    EXPECT_GE(qBlue(image.pixel(1, 0)), 0xF0);
    EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF00, 0xFF000000u);
}

TEST(FfmpegLibrary, LoadsTheLibrariesOfOurHeadersOrNothing)
{
    // The program's table, kept loaded to the end of the process as in the
    // game; the tables loaded below close their handles again, which then
    // does not unload what FFmpeg set up when it was first loaded.
    ASSERT_NE(FfmpegLibrary::instance(), nullptr);
    const FfmpegLibrary::Sonames names = FfmpegLibrary::defaultSonames();
    EXPECT_EQ(names.avformat, "libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR));
    EXPECT_NE(FfmpegLibrary::load(names), nullptr);
    FfmpegLibrary::Sonames missing = names;
    missing.swscale = "libswscale.so.999";
    EXPECT_EQ(FfmpegLibrary::load(missing), nullptr);
    // Libraries that open but lack the functions: refused as well.
    EXPECT_EQ(FfmpegLibrary::load({ names.avutil, names.avutil, names.avutil, names.avutil }), nullptr);
}
