// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Timing of the clock animation on the real clock: 100 passes over frames 1
// to 15, at 15 and at 60 frames per second, each pass started from the
// previous pass's onStop as the game's turn cycle does. Prints, per rate, the
// mean and the largest deviation of a pass's real length from its nominal
// length, the mean deviation of the first 10 and the last 10 passes (does it
// grow over the run?), the whole run against 100 nominal passes, and how
// late the timer wakes after each frame's deadline. A second run plays the
// 100 passes as one Play(1, 15, 100) for comparison.
//
// Runs on Qt's offscreen platform; a plain program, not a pass/fail test.
#include "Animate.h"
#include "AviWriter.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

std::int64_t nowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

double mean(const std::vector<double>& v, std::size_t from, std::size_t to)
{
    return std::accumulate(v.begin() + from, v.begin() + to, 0.0) / double(to - from);
}

struct Run {
    std::vector<double> passDeviationUs; // real minus nominal length, per pass
    std::vector<double> tickLatenessUs; // timer wake-up after a frame's deadline
    double totalDeviationUs = 0;
};

// Plays `passes` chained passes (or one play of `passes` repetitions).
Run measure(TAnimate& anim, int passes, bool chained)
{
    const std::int64_t d = anim.microsecondsPerFrame();
    Run run;
    std::int64_t playStart = 0;
    bool inPlay = false;
    anim.setTimeSource([&] {
        const std::int64_t t = nowUs();
        if (inPlay && t > playStart) {
            const std::int64_t late = (t - playStart) % d;
            run.tickLatenessUs.push_back(double(late));
        }
        return t;
    });
    QEventLoop loop;
    int done = 0;
    std::int64_t passStart = 0;
    const std::int64_t runStart = nowUs();
    auto start = [&](int count) {
        passStart = nowUs();
        inPlay = false;
        playStart = passStart;
        anim.Play(1, 15, count);
        inPlay = true;
    };
    anim.onStop = [&] {
        const std::int64_t end = nowUs();
        const int counted = chained ? 1 : passes;
        run.passDeviationUs.push_back(double(end - passStart - counted * 15 * d));
        done += counted;
        if (done >= passes) {
            run.totalDeviationUs = double(end - runStart - std::int64_t(passes) * 15 * d);
            loop.quit();
        } else {
            start(1);
        }
    };
    start(chained ? 1 : passes);
    loop.exec();
    anim.onStop = nullptr;
    return run;
}

void report(const char* what, const Run& run)
{
    const auto& dev = run.passDeviationUs;
    std::printf("%s\n", what);
    if (dev.size() >= 20) {
        const double largest
            = *std::max_element(dev.begin(), dev.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
        std::printf("  pass length deviation: mean %.0f us, largest %.0f us\n", mean(dev, 0, dev.size()), largest);
        std::printf("  first 10 passes mean %.0f us, last 10 passes mean %.0f us\n", mean(dev, 0, 10),
            mean(dev, dev.size() - 10, dev.size()));
    }
    std::printf("  whole run against nominal: %+.0f us\n", run.totalDeviationUs);
    auto late = run.tickLatenessUs;
    if (!late.empty()) {
        std::sort(late.begin(), late.end());
        std::printf("  timer wake-up after deadline: median %.0f us, 99%% %.0f us, max %.0f us (%zu ticks)\n",
            late[late.size() / 2], late[late.size() * 99 / 100], late.back(), late.size());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    int passes = 100;
    if (argc > 1)
        passes = std::max(20, std::atoi(argv[1]));
    for (std::uint32_t usPerFrame : { 66666u, 16666u }) {
        const QString path = dir.filePath(QString("uhr%1.avi").arg(usPerFrame));
        writeAvi(path.toStdString(), AviClip::plain(85, 87, 15, usPerFrame));
        TAnimate anim(nullptr);
        anim.setFileName(path);
        std::printf("== %u us per frame (%.1f frames per second), pass nominal %.0f ms, %d passes\n", usPerFrame,
            1e6 / usPerFrame, 15 * usPerFrame / 1000.0, passes);
        report("chained Play(1, 15, 1) from onStop:", measure(anim, passes, true));
        report("one Play(1, 15, passes):", measure(anim, passes, false));
        std::fflush(stdout);
    }
    return 0;
}
