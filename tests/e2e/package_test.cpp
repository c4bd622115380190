// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game as its Debian package installs it: the unpacked program named by
// TINTARIUM_PROGRAM, started from an empty folder, so that every media file
// comes from the package's data folder. tests/package/check.sh builds and
// unpacks the package and runs the X11 case on Xvfb with a PulseAudio null
// sink, and the Wayland case under weston's headless backend.
#include "Session.h"
#include "WestonDesktop.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace {

QString installedProgram()
{
    return qEnvironmentVariable("TINTARIUM_PROGRAM");
}

void fromAnEmptyFolder(GameRun& run)
{
    run.setProgram(installedProgram());
    for (const QString& file : GameRun::mediaFiles())
        run.leaveOut(file);
}

class UnpackedPackage : public ::testing::Test, public Session {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desk.connected()) << "no X display";
        ASSERT_FALSE(installedProgram().isEmpty()) << "TINTARIUM_PROGRAM names no program";
        fromAnEmptyFolder(run);
    }
};

// Start, the instructions, Játék and one shot: the clock files, the
// instructions and a cue are all read from the data folder.
TEST_F(UnpackedPackage, PlaysFromAnEmptyFolderOnX11)
{
    ASSERT_TRUE(startGame()) << run.errorOutput().toStdString();
    ASSERT_TRUE(waitForScreen(Screen::Start));
    EXPECT_FALSE(errorBox().has_value());

    click(layout::startButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    // The credits line under the instructions shows only once they are read.
    const QPoint creditsLine { 700, 540 };
    click(layout::instructionsButton);
    EXPECT_TRUE(XDesktop::waitUntil([&] { return view().pixel(creditsLine) == layout::titleBlue; }, 3s));
    EXPECT_FALSE(errorBox().has_value());
    click(layout::instructionsButton);

    // The recorder listens a while before the cue: the first sound after it
    // attaches can come late.
    SinkRecorder recorder;
    click(layout::playButton);
    ASSERT_TRUE(waitForScreen(Screen::Game));
    const GameView game = view();
    auto tile = tileOfTarget(game);
    if (!tile)
        tile = tileNotOfTarget(game);
    ASSERT_TRUE(tile.has_value());
    click(tileCentre(*tile)); // a hit or a miss: either plays its cue
    EXPECT_TRUE(XDesktop::waitUntil([&] { return recorder.peak() > 1000; }, 3s)) << "no cue heard";
    EXPECT_FALSE(errorBox().has_value());

    click(layout::backButton);
    ASSERT_TRUE(waitForScreen(Screen::Setup));
    click(layout::quitButton);
    EXPECT_EQ(run.waitForExit(5s), 0);
}

// Under a Wayland compositor, which places the window itself: the start
// screen is drawn, the window's app id names the package's desktop entry (by
// which the desktop finds the entry and its icon), Enter reaches the setup
// screen, and "Vége", reached with the keyboard, ends the program with
// status 0.
TEST(Wayland, StartsShowsItsScreensAndEnds)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) << "no Wayland compositor";
    ASSERT_FALSE(installedProgram().isEmpty()) << "TINTARIUM_PROGRAM names no program";
    GameRun run;
    fromAnEmptyFolder(run);
    const WestonDesktop desk;
    ASSERT_TRUE(run.start());

    QImage shot;
    std::optional<QPoint> origin;
    const auto shows = [&](Screen screen) {
        shot = desk.screenshot();
        origin = WestonDesktop::gameWindow(shot);
        return origin && GameView(shot, *origin).screen() == screen;
    };
    ASSERT_TRUE(XDesktop::waitUntil([&] { return shows(Screen::Start); }, 15s, 200ms))
        << run.errorOutput().toStdString();
    QDir().mkpath(shotsDir);
    shot.save(shotsDir + "/wayland-start.png");

    const QStringList appIds = desk.appIds();
    ASSERT_EQ(appIds.size(), 1) << appIds.join(u' ').toStdString();
    const QString packageRoot = QFileInfo(installedProgram()).absolutePath() + QStringLiteral("/../..");
    EXPECT_TRUE(QFileInfo::exists(packageRoot + "/usr/share/applications/" + appIds.first() + ".desktop"))
        << "no desktop entry named after the app id " << appIds.first().toStdString();

    ASSERT_TRUE(desk.key("Return")); // "Start" is the default button
    ASSERT_TRUE(XDesktop::waitUntil([&] { return shows(Screen::Setup); }, 5s, 200ms));
    // The focus starts in the first name; "Vége" is the fourth stop.
    for (int stop = 0; stop < 3; ++stop)
        ASSERT_TRUE(desk.key("Tab"));
    ASSERT_TRUE(desk.key("Return"));
    EXPECT_EQ(run.waitForExit(5s), 0) << run.errorOutput().toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
