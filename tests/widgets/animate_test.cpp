// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the clock animation: opening clips and taking their size, the
// message of a clip that cannot be read, the drawing of a frame, and exactly
// when onStop is raised. Timing cases run on a hand-moved clock through the
// widget's time seam; one case uses the real clock and event loop. The
// reading of clips itself is tested byte by byte in tests/formats.
#include "Animate.h"
#include "PreciseTimer.h"

#include "Application.h"
#include "AviReader.h"
#include "AviWriter.h"
#include "QtTestMain.h"
#include "ToolkitError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

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

class AnimateTest : public ::testing::Test {
protected:
    QString write(const QString& name, const AviClip& clip)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeAvi(path.toStdString(), clip));
        return path;
    }
    QString writeRaw(const QString& name, const QByteArray& bytes)
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
        EXPECT_EQ(anim.frame(20).pixel(40, 40), 0xFF000000 | AviClip::colourOf(19)) << bits;
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
    const QByteArray good = aviBytes(AviClip::plain(20, 10, 15, kD));
    std::vector<std::pair<QString, QString>> bad;
    // Refused for its header, for its frames, and for its size alone (a
    // sparse file: the widget does not read it).
    bad.emplace_back("text", writeRaw("text.avi", "Dies ist keine Videodatei, sondern ein langer Text."));
    QByteArray unknownCodec = good;
    unknownCodec.replace(unknownCodec.indexOf("strf") + 8 + 16, 4, "ZZZZ");
    bad.emplace_back("undecodable frames", writeRaw("codec.avi", unknownCodec));
    const QString large = writeRaw("gross.avi", good);
    QFile grown(large);
    ASSERT_TRUE(grown.resize(AviReader::maxFileBytes + 1));
    bad.emplace_back("past the size limit", large);
    bad.emplace_back("missing", dir.filePath("fehlt.avi"));
    bad.emplace_back("folder", dir.path());
    // A device with no size and no end: read only up to the limit.
    bad.emplace_back("endless device", "/dev/zero");

    const QString goodPath = writeRaw("gut.avi", good);
    anim.setFileName(goodPath);
    anim.move(3, 4);
    for (const auto& [what, path] : bad) {
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

} // namespace
