// Tests of the clock animation: opening clips (good, truncated, foreign), the
// drawing of a frame, and exactly when onStop is raised. Timing cases run on
// a hand-moved clock through the widget's time seam; one case uses the real
// clock and event loop. Uncompressed clips of every depth and layout are read
// without FFmpeg; compressed ones (run-length, 16-bit) go through FFmpeg,
// loaded at run time.
#include "Animate.h"
#include "FfmpegLibrary.h"
#include "PreciseTimer.h"

#include "Application.h"
#include "AviWriter.h"
#include "QtTestMain.h"
#include "RiffBytes.h"
#include "ToolkitError.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString kCannotOpen = QString::fromUtf8("AVI kann nicht geöffnet werden");
constexpr std::uint32_t kD = 66666; // microseconds per frame of the test clips

// A RIFF writer for clips AviWriter does not make: 32 bits, top-down rows,
// 'rec ' lists and foreign chunks between frames, compressed frames.
using Riff = RiffBytes;

struct ClipSpec {
    int width = 0;
    int height = 0; // of the stream format; negative: rows top-down
    int bits = 24;
    std::uint32_t compression = 0; // BI_RGB; 1: BI_RLE8
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::uint32_t totalFrames = 0; // of the main header
    std::vector<std::vector<std::uint8_t>> chunks; // frame chunk data
    const char* frameId = "00db";
    bool recLists = false; // each frame inside a LIST 'rec '
    bool extras = false; // JUNK and an audio chunk before every frame
};

std::vector<std::uint8_t> clipBytes(const ClipSpec& c)
{
    const std::uint32_t rows = static_cast<std::uint32_t>(std::abs(c.height));
    Riff b;
    const auto riff = b.begin("RIFF");
    b.fourcc("AVI ");
    const auto hdrl = b.begin("LIST");
    b.fourcc("hdrl");
    const auto avih = b.begin("avih");
    for (std::uint32_t v : { kD, 0u, 0u, 0u, c.totalFrames, 0u, 1u, 0u, std::uint32_t(c.width), rows, 0u, 0u, 0u, 0u })
        b.u32(v);
    b.end(avih);
    const auto strl = b.begin("LIST");
    b.fourcc("strl");
    const auto strh = b.begin("strh");
    b.fourcc("vids");
    b.fourcc(c.compression == 1 ? "mrle" : "DIB ");
    for (std::uint32_t v : { 0u, 0u, 0u, kD, 1000000u, 0u, c.totalFrames, 0u, 0xFFFFFFFFu, 0u, 0u, 0u })
        b.u32(v);
    b.end(strh);
    const auto strf = b.begin("strf");
    b.u32(40);
    b.u32(static_cast<std::uint32_t>(c.width));
    b.u32(static_cast<std::uint32_t>(c.height));
    b.u16(1);
    b.u16(static_cast<std::uint16_t>(c.bits));
    b.u32(c.compression);
    for (std::uint32_t v : { 0u, 0u, 0u, std::uint32_t(c.palette.size()), 0u })
        b.u32(v);
    for (std::uint32_t colour : c.palette) {
        b.u8(colour & 0xFF);
        b.u8((colour >> 8) & 0xFF);
        b.u8((colour >> 16) & 0xFF);
        b.u8(0);
    }
    b.end(strf);
    b.end(strl);
    b.end(hdrl);
    const auto junk = b.begin("JUNK");
    b.u32(0);
    b.end(junk);
    const auto movi = b.begin("LIST");
    b.fourcc("movi");
    for (const auto& chunk : c.chunks) {
        std::size_t rec = 0;
        if (c.recLists) {
            rec = b.begin("LIST");
            b.fourcc("rec ");
        }
        if (c.extras) {
            const auto filler = b.begin("JUNK");
            b.u8(7); // odd size: padded
            b.end(filler);
            const auto audio = b.begin("01wb");
            b.u32(0);
            b.end(audio);
        }
        const auto frame = b.begin(c.frameId);
        b.data.insert(b.data.end(), chunk.begin(), chunk.end());
        b.end(frame);
        if (c.recLists)
            b.end(rec);
    }
    b.end(movi);
    b.end(riff);
    return b.data;
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
std::vector<std::uint8_t> dibFrame(
    int w, int h, int bits, bool topDown, int k, const std::vector<std::uint32_t>& palette)
{
    const int stride = (w * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        const std::size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = testColour(x, y, k);
            if (bits == 8) {
                out.push_back(
                    static_cast<std::uint8_t>(std::find(palette.begin(), palette.end(), c) - palette.begin()));
                continue;
            }
            out.push_back(c & 0xFF);
            out.push_back((c >> 8) & 0xFF);
            out.push_back((c >> 16) & 0xFF);
            if (bits == 32)
                out.push_back(static_cast<std::uint8_t>(x * 17));
        }
        out.resize(start + static_cast<std::size_t>(stride), 0xEE); // padding
    }
    return out;
}

ClipSpec testClip(int w, int h, int bits, bool topDown, int frames)
{
    ClipSpec c;
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
std::size_t offsetOf(const std::vector<std::uint8_t>& bytes, const char* tag)
{
    return static_cast<std::size_t>(std::search(bytes.begin(), bytes.end(), tag, tag + 4) - bytes.begin());
}

std::uint32_t u32Of(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16
        | std::uint32_t(bytes[at + 3]) << 24;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

class AnimateTest : public ::testing::Test {
protected:
    QString write(const QString& name, const AviClip& clip)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeAvi(path.toStdString(), clip));
        return path;
    }
    QString writeRaw(const QString& name, const std::vector<std::uint8_t>& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path.toStdString(), bytes));
        return path;
    }
    // Opens a 15-frame clip and puts the widget on the hand-moved clock.
    void openClock(int frames = 15)
    {
        anim.setFileName(write("uhr.avi", AviClip::plain(20, 10, frames, kD)));
        anim.setTimeSource([this] { return now; });
        anim.onStop = [this] { ++stops; };
    }
    void at(std::int64_t t)
    {
        now = t;
        anim.catchUp();
    }
    // Opens `bytes` and expects it refused with the clip error, leaving the
    // widget as it was.
    void expectRefused(const std::vector<std::uint8_t>& bytes, const std::string& what)
    {
        const int before = anim.frameCount();
        try {
            anim.setFileName(writeRaw("schlecht.avi", bytes));
            ADD_FAILURE() << "opened: " << what;
        } catch (const EToolkitError& e) {
            EXPECT_EQ(e.text(), kCannotOpen) << what;
        }
        EXPECT_EQ(anim.frameCount(), before) << what;
    }
    // Expects frames 1..count of the open clip to be frames 0..count-1 of
    // the test picture, background transparent and everything else opaque.
    void expectTestPicture(int w, int h, int count, const std::string& what)
    {
        ASSERT_EQ(anim.frameCount(), count) << what;
        ASSERT_EQ(anim.size(), QSize(w, h)) << what;
        for (int k = 0; k < count; ++k) {
            const QImage image = anim.frame(k + 1);
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

    QTemporaryDir dir;
    TAnimate anim { nullptr };
    std::int64_t now = 1000000;
    int stops = 0;
};

TEST_F(AnimateTest, OpensClipsAndTakesTheirSizeKeepingPosition)
{
    EXPECT_EQ(anim.size(), QSize(100, 80));
    anim.move(4, 26);
    for (int bits : { 24, 8 }) {
        AviClip clip = AviClip::plain(85, 87, 20, kD);
        clip.bitsPerPixel = bits;
        anim.setFileName(write(QString("clip%1.avi").arg(bits), clip));
        EXPECT_EQ(anim.frameCount(), 20);
        EXPECT_EQ(anim.microsecondsPerFrame(), kD);
        EXPECT_EQ(anim.geometry(), QRect(4, 26, 85, 87));
        EXPECT_EQ(anim.currentFrame(), 1);
        for (int k : { 1, 2, 20 })
            EXPECT_EQ(anim.frame(k).pixel(40, 40), 0xFF000000 | AviClip::colourOf(k - 1)) << bits << " " << k;
        // The white border has the top-left pixel's colour: the clip's background.
        EXPECT_EQ(qAlpha(anim.frame(1).pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(anim.frame(1).pixel(84, 86)), 0);
    }
}

TEST_F(AnimateTest, DrawsTheFrameUprightOverWhatLiesBelow)
{
    // A frame whose top-left quarter is red, on a black background that the
    // widget leaves transparent, in a green parent.
    AviClip clip = AviClip::plain(8, 6, 1, kD, 0x000000);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 4; ++x)
            clip.frames[0][y * 8 + x] = 0xFF0000;
    QWidget parent;
    parent.resize(50, 50);
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::green);
    parent.setPalette(palette);
    TAnimate child(&parent);
    child.setFileName(write("bild.avi", clip));
    child.move(10, 10);
    const QImage shot = parent.grab().toImage();
    EXPECT_EQ(shot.pixelColor(11, 11), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(16, 14), QColor(AviClip::colourOf(0) | 0xFF000000));
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::green)); // black background keyed out
    EXPECT_EQ(shot.pixelColor(17, 15), QColor(Qt::green));
}

TEST_F(AnimateTest, SameNameInAnyCaseDoesNothing)
{
    const QString path = write("Uhr.avi", AviClip::plain(20, 10, 15, kD));
    anim.setFileName(path);
    ASSERT_EQ(anim.frameCount(), 15);
    write("Uhr.avi", AviClip::plain(30, 30, 5, kD)); // the file changes on disk
    const QString other = dir.path() + "/" + QString("Uhr.avi").toUpper();
    EXPECT_NO_THROW(anim.setFileName(other));
    EXPECT_NO_THROW(anim.setFileName(path));
    EXPECT_EQ(anim.frameCount(), 15);
    EXPECT_EQ(anim.size(), QSize(20, 10));
}

TEST_F(AnimateTest, BadClipsFailAndKeepThePreviousClip)
{
    const std::vector<std::uint8_t> good = aviBytes(AviClip::plain(20, 10, 15, kD));
    std::vector<std::pair<QString, std::vector<std::uint8_t>>> bad;
    for (std::size_t cut : { std::size_t(0), std::size_t(11), std::size_t(40), std::size_t(71), std::size_t(87),
             std::size_t(150), good.size() / 2, good.size() - 1 })
        bad.emplace_back(QString("cut at %1").arg(cut), std::vector<std::uint8_t>(good.begin(), good.begin() + cut));
    const std::string text = "Dies ist keine Videodatei, sondern ein langer Text ohne jede Bedeutung.";
    bad.emplace_back("text", std::vector<std::uint8_t>(text.begin(), text.end()));
    auto wave = good;
    std::copy_n("WAVE", 4, wave.begin() + 8);
    bad.emplace_back("RIFF WAVE", wave);
    auto noHdrl = good;
    std::copy_n("movi", 4, noHdrl.begin() + 20);
    bad.emplace_back("first list not hdrl", noHdrl);
    auto noAvih = good;
    std::copy_n("strh", 4, noAvih.begin() + 24);
    bad.emplace_back("avih not first", noAvih);
    auto noFrames = good;
    std::fill_n(noFrames.begin() + 48, 4, 0);
    bad.emplace_back("no frames", noFrames);
    auto huge = good;
    std::fill_n(huge.begin() + 64, 4, 0xFF);
    bad.emplace_back("absurd width", huge);
    // Frames in a compression nobody decodes: the header is fine, the frames are not.
    auto unknownCodec = good;
    const auto strf = std::search(unknownCodec.begin(), unknownCodec.end(), "strf", "strf" + 4);
    std::copy_n("ZZZZ", 4, strf + 8 + 16);
    bad.emplace_back("undecodable frames", unknownCodec);

    const QString goodPath = writeRaw("gut.avi", good);
    anim.setFileName(goodPath);
    anim.move(3, 4);
    int i = 0;
    for (const auto& [what, bytes] : bad) {
        const QString path = writeRaw(QString("bad%1.avi").arg(i++), bytes);
        try {
            anim.setFileName(path);
            ADD_FAILURE() << "opened: " << what.toStdString();
        } catch (const EToolkitError& e) {
            EXPECT_EQ(e.text(), kCannotOpen) << what.toStdString();
        }
        EXPECT_EQ(anim.fileName(), goodPath) << what.toStdString();
        EXPECT_EQ(anim.frameCount(), 15) << what.toStdString();
        EXPECT_EQ(anim.geometry(), QRect(3, 4, 20, 10)) << what.toStdString();
    }
    EXPECT_THROW(anim.setFileName(dir.filePath("fehlt.avi")), EToolkitError);
    EXPECT_THROW(anim.setFileName(dir.path()), EToolkitError);
}

TEST_F(AnimateTest, RandomlyDamagedClipsOpenOrFailCleanly)
{
    const unsigned seed = 20261207;
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    AviClip clip = AviClip::plain(12, 9, 15, kD);
    clip.bitsPerPixel = 8;
    const std::vector<std::uint8_t> good = aviBytes(clip);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bytes = good;
        const int changes = 1 + int(random() % 8);
        for (int c = 0; c < changes; ++c)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        const QString path = writeRaw("kaputt.avi", bytes);
        TAnimate fresh(nullptr);
        try {
            fresh.setFileName(path);
            EXPECT_GE(fresh.frameCount(), 1);
            fresh.Play(1, fresh.frameCount(), 1);
            fresh.grab();
        } catch (const EToolkitError& e) {
            EXPECT_EQ(e.text(), kCannotOpen) << "round " << round;
        }
    }
}

TEST_F(AnimateTest, PlayWithoutClipFailsLikeOpening)
{
    try {
        anim.Play(1, 15, 1);
        ADD_FAILURE();
    } catch (const EToolkitError& e) {
        EXPECT_EQ(e.text(), kCannotOpen);
    }
    EXPECT_FALSE(anim.isPlaying());
}

TEST_F(AnimateTest, APassShowsEachFrameForOneDurationThenStopsOnce)
{
    openClock();
    const std::int64_t start = now;
    anim.Play(1, 15, 1);
    EXPECT_TRUE(anim.isPlaying());
    EXPECT_EQ(anim.currentFrame(), 1);
    for (int k = 1; k <= 15; ++k) {
        at(start + (k - 1) * kD);
        EXPECT_EQ(anim.currentFrame(), k);
        at(start + k * kD - 1);
        EXPECT_EQ(anim.currentFrame(), k);
    }
    EXPECT_EQ(stops, 0);
    at(start + 15 * kD);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(anim.isPlaying());
    at(start + 100 * kD);
    EXPECT_EQ(stops, 1);
}

TEST_F(AnimateTest, RepetitionsAndEndlessPlays)
{
    openClock(20);
    std::int64_t start = now;
    anim.Play(3, 5, 2); // 3 4 5 3 4 5
    at(start + 3 * kD);
    EXPECT_EQ(anim.currentFrame(), 3);
    at(start + 5 * kD);
    EXPECT_EQ(anim.currentFrame(), 5);
    at(start + 6 * kD - 1);
    EXPECT_EQ(stops, 0);
    at(start + 6 * kD);
    EXPECT_EQ(stops, 1);

    start = now;
    anim.Play(1, 15, 0);
    at(start + 1000 * kD + 2 * kD);
    EXPECT_EQ(anim.currentFrame(), (1000 + 2) % 15 + 1);
    EXPECT_TRUE(anim.isPlaying());
    EXPECT_EQ(stops, 1);
    anim.Stop();
    EXPECT_EQ(stops, 2);
}

TEST_F(AnimateTest, PlayWhilePlayingRaisesOneStopForTheCutPlayBeforeReturning)
{
    openClock();
    anim.Play(1, 15, 1);
    at(now + 5 * kD);
    bool newPlayRunning = false;
    anim.onStop = [&] {
        ++stops;
        newPlayRunning = anim.isPlaying() && anim.currentFrame() == 1;
    };
    const std::int64_t restart = now;
    anim.Play(1, 15, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(newPlayRunning);
    at(restart + 15 * kD - 1); // the first play's end passed long ago
    EXPECT_EQ(stops, 1);
    at(restart + 15 * kD);
    EXPECT_EQ(stops, 2);
    at(restart + 60 * kD);
    EXPECT_EQ(stops, 2);
}

TEST_F(AnimateTest, StopRaisesInsideTheCallAndTheStoppedPlayNeverEnds)
{
    openClock();
    anim.Stop(); // with nothing playing
    EXPECT_EQ(stops, 1);

    const std::int64_t start = now;
    anim.Play(1, 15, 1);
    at(start + 7 * kD);
    ASSERT_EQ(anim.currentFrame(), 8);
    int frameInHandler = 0;
    anim.onStop = [&] {
        ++stops;
        frameInHandler = anim.currentFrame();
    };
    anim.Stop();
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(frameInHandler, 1);
    EXPECT_FALSE(anim.isPlaying());
    at(start + 30 * kD);
    EXPECT_EQ(stops, 2);

    // A handler that restarts the clock (the skip button's case) keeps its play.
    anim.onStop = [&] {
        ++stops;
        if (stops == 3)
            anim.Play(1, 15, 1);
    };
    anim.Stop();
    EXPECT_EQ(stops, 3);
    EXPECT_TRUE(anim.isPlaying());
}

TEST_F(AnimateTest, RefusedPlaysStartNothingAndRaiseNothing)
{
    openClock(12); // fewer frames than the clock asks for
    for (auto [first, last, count] : { std::tuple { 1, 15, 1 }, { 0, 5, 1 }, { 6, 5, 1 }, { 1, 12, -1 } }) {
        anim.Play(first, last, count);
        EXPECT_FALSE(anim.isPlaying());
    }
    at(now + 1000 * kD);
    EXPECT_EQ(stops, 0);

    const std::int64_t start = now;
    anim.Play(1, 12, 1);
    anim.Play(1, 13, 1); // refused: the running play goes on, unreported
    EXPECT_EQ(stops, 0);
    at(start + 12 * kD);
    EXPECT_EQ(stops, 1);
}

TEST_F(AnimateTest, RealClockEndsThePlayFromTheEventLoop)
{
    anim.setFileName(write("schnell.avi", AviClip::plain(20, 10, 15, 2000)));
    anim.onStop = [this] { ++stops; };
    anim.Play(1, 15, 1);
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return stops > 0; }, 5000));
    EXPECT_EQ(anim.currentFrame(), 15);
    QTest::qWait(100);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(anim.isPlaying());
    // No timer is left running while nothing plays.
    const auto* timer = anim.findChild<PreciseTimer*>();
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    anim.Play(1, 15, 0);
    EXPECT_TRUE(timer->isActive());
    anim.Stop();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(AnimateTest, AnErrorOfTheStopHandlerReachesTheErrorBox)
{
    QStringList boxes;
    TApplication::instance()->setErrorBoxHandler([&](const QString&, const QString& text) { boxes << text; });
    anim.setFileName(write("schnell.avi", AviClip::plain(20, 10, 15, 1000)));
    anim.onStop = [] { throw EToolkitError(std::string("Uhr kaputt")); };
    anim.Play(1, 15, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }, 5000));
    EXPECT_EQ(boxes, QStringList { "Uhr kaputt." });
    EXPECT_FALSE(anim.isPlaying());
    installPrintingErrorBox();
    // Stop lets it through to its caller.
    EXPECT_THROW(anim.Stop(), EToolkitError);
}

TEST_F(AnimateTest, UncompressedClipsOfEveryDepthAndRowOrder)
{
    // Widths 5 and 7 leave padding at the end of 8- and 24-bit rows.
    for (int bits : { 8, 24, 32 })
        for (bool topDown : { false, true })
            for (int w : { 5, 7, 12 }) {
                const std::string what = std::to_string(bits) + " bits, width " + std::to_string(w)
                    + (topDown ? ", top-down" : ", bottom-up");
                const QString path = writeRaw(QString("d%1_%2_%3.avi").arg(bits).arg(topDown).arg(w),
                    clipBytes(testClip(w, 6, bits, topDown, 3)));
                ASSERT_NO_THROW(anim.setFileName(path)) << what;
                expectTestPicture(w, 6, 3, what);
            }
}

TEST_F(AnimateTest, FramesAreFoundInRecListsBetweenOtherChunks)
{
    ClipSpec clip = testClip(6, 4, 24, false, 4);
    clip.recLists = true;
    clip.extras = true;
    clip.frameId = "00dc";
    anim.setFileName(writeRaw("rec.avi", clipBytes(clip)));
    expectTestPicture(6, 4, 4, "rec lists");

    // An empty chunk repeats the frame before; frames beyond the main
    // header's count are ignored, those missing repeat the last one.
    clip = testClip(6, 4, 24, false, 4);
    clip.chunks[2].clear();
    clip.totalFrames = 6;
    clip.chunks.push_back(dibFrame(6, 4, 24, false, 9, {}));
    anim.setFileName(writeRaw("luecken.avi", clipBytes(clip)));
    ASSERT_EQ(anim.frameCount(), 6);
    for (auto [number, shown] : { std::pair { 2, 1 }, { 3, 1 }, { 4, 3 }, { 5, 9 }, { 6, 9 } })
        EXPECT_EQ(anim.frame(number).pixel(3, 2), 0xFF000000 | testColour(3, 2, shown)) << number;
    clip.totalFrames = 2;
    anim.setFileName(writeRaw("kurz.avi", clipBytes(clip)));
    EXPECT_EQ(anim.frameCount(), 2);
}

TEST_F(AnimateTest, UncompressedClipsWithLyingSizesAreRefused)
{
    anim.setFileName(write("gut.avi", AviClip::plain(20, 10, 15, kD)));
    const std::vector<std::uint8_t> good = clipBytes(testClip(5, 4, 8, false, 3));
    const std::size_t strf = offsetOf(good, "strf");
    const std::size_t movi = offsetOf(good, "movi") - 8;
    const std::size_t frame = offsetOf(good, "00db");

    // Cut anywhere after the headers, with the RIFF size made to fit the cut,
    // so that only the inner sizes tell: the list cut short is refused and
    // nothing is read past the end.
    for (std::size_t cut = strf; cut < good.size(); ++cut) {
        auto bytes = std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(cut));
        put32(bytes, 4, static_cast<std::uint32_t>(cut - 8));
        expectRefused(bytes, "cut at " + std::to_string(cut));
    }

    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bad;
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
    std::copy_n("mova", 4, noMovi.begin() + static_cast<long>(movi) + 8);
    bad.emplace_back("no movi list", noMovi);
    auto noVideo = good;
    std::copy_n("strz", 4, noVideo.begin() + static_cast<long>(strf));
    bad.emplace_back("no stream format", noVideo);
    for (const auto& [what, bytes] : bad)
        expectRefused(bytes, what);

    // A palette reaching beyond the format chunk takes only what is there:
    // the missing entries are black.
    auto shortPalette = good;
    put32(shortPalette, strf + 8 + 32, 0xFFFFFFFF);
    anim.setFileName(writeRaw("palette.avi", shortPalette));
    EXPECT_EQ(anim.frameCount(), 3);

    // 'rec ' lists nested past any real use.
    Riff deep;
    std::vector<std::size_t> open;
    for (int depth = 0; depth < 50; ++depth) {
        open.push_back(deep.begin("LIST"));
        deep.fourcc("rec ");
    }
    while (!open.empty()) {
        deep.end(open.back());
        open.pop_back();
    }
    ClipSpec nested = testClip(5, 4, 24, false, 1);
    auto bytes = clipBytes(nested);
    const std::size_t at = offsetOf(bytes, "movi") + 4;
    bytes.insert(bytes.begin() + static_cast<long>(at), deep.data.begin(), deep.data.end());
    put32(bytes, at - 8, static_cast<std::uint32_t>(u32Of(bytes, at - 8) + deep.data.size()));
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    expectRefused(bytes, "deeply nested rec lists");
}

TEST_F(AnimateTest, CompressedClipsDecodeThroughFfmpeg)
{
    // Run-length frames (BI_RLE8), written by hand: per row from the bottom,
    // pairs of count and palette index, 0 0 ending the row, 0 1 the picture.
    const std::vector<std::uint32_t> palette = { 0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00 };
    ClipSpec rle;
    rle.width = 8;
    rle.height = 4;
    rle.bits = 8;
    rle.compression = 1;
    rle.palette = palette;
    rle.frameId = "00dc";
    rle.totalFrames = 2;
    auto rows = [](std::uint8_t inner) {
        std::vector<std::uint8_t> out;
        for (int row = 0; row < 4; ++row) {
            if (row == 0 || row == 3)
                out.insert(out.end(), { 8, 0 });
            else
                out.insert(out.end(), { 1, 0, 3, inner, 3, 3, 1, 0 });
            out.insert(out.end(), { 0, 0 });
        }
        out.insert(out.end(), { 0, 1 });
        return out;
    };
    rle.chunks = { rows(1), rows(2) };
    anim.setFileName(writeRaw("rle.avi", clipBytes(rle)));
    ASSERT_EQ(anim.frameCount(), 2);
    EXPECT_EQ(anim.size(), QSize(8, 4));
    for (int number : { 1, 2 }) {
        const QImage image = anim.frame(number);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << number; // white background keyed out
        EXPECT_EQ(qAlpha(image.pixel(7, 3)), 0) << number;
        EXPECT_EQ(image.pixel(1, 1), number == 1 ? 0xFFFF0000u : 0xFF0000FFu) << number;
        EXPECT_EQ(image.pixel(3, 2), number == 1 ? 0xFFFF0000u : 0xFF0000FFu) << number;
        EXPECT_EQ(image.pixel(5, 2), 0xFF00FF00u) << number;
    }

    // 16-bit BI_RGB (5-5-5) is not read directly either.
    ClipSpec rgb555;
    rgb555.width = 2;
    rgb555.height = 2;
    rgb555.bits = 16;
    rgb555.totalFrames = 1;
    // Bottom row white, red; top row white, blue.
    rgb555.chunks = { { 0xFF, 0x7F, 0x00, 0x7C, 0xFF, 0x7F, 0x1F, 0x00 } };
    anim.setFileName(writeRaw("rgb555.avi", clipBytes(rgb555)));
    const QImage image = anim.frame(1);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_GE(qRed(image.pixel(1, 1)), 0xF0);
    EXPECT_EQ(image.pixel(1, 1) & 0xFF00FFFF, 0xFF000000u);
    EXPECT_GE(qBlue(image.pixel(1, 0)), 0xF0);
    EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF00, 0xFF000000u);
}

TEST(FfmpegLibraryTest, LoadsTheLibrariesOfOurHeadersOrNothing)
{
    const FfmpegLibrary::Sonames names = FfmpegLibrary::defaultSonames();
    EXPECT_EQ(names.avformat, "libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR));
    EXPECT_NE(FfmpegLibrary::load(names), nullptr);
    FfmpegLibrary::Sonames missing = names;
    missing.swscale = "libswscale.so.999";
    EXPECT_EQ(FfmpegLibrary::load(missing), nullptr);
    // Libraries that open but lack the functions: refused as well.
    EXPECT_EQ(FfmpegLibrary::load({ names.avutil, names.avutil, names.avutil, names.avutil }), nullptr);
}

} // namespace
