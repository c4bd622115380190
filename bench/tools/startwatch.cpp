// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and reports, in milliseconds, how long it took until its
// first top-level window was mapped on the X display, watching MapNotify
// events on the root window (no polling delay). Optionally reports the
// program's peak resident memory (VmHWM) some time after the map.
//
//   startwatch [--hwm-after MS] [--keep MS] -- COMMAND [ARG...]
//
// Prints "map_ms=<t>" and, with --hwm-after, "hwm_kb=<k>". The program is
// ended by its process id before startwatch returns.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void endProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    long hwmAfterMs = -1;
    long keepMs = 0;
    int first = 1;
    for (; first < argc; ++first) {
        if (!std::strcmp(argv[first], "--hwm-after") && first + 1 < argc)
            hwmAfterMs = std::atol(argv[++first]);
        else if (!std::strcmp(argv[first], "--keep") && first + 1 < argc)
            keepMs = std::atol(argv[++first]);
        else if (!std::strcmp(argv[first], "--")) {
            ++first;
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: startwatch [--hwm-after MS] [--keep MS] -- COMMAND [ARG...]\n");
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startwatch: cannot open the X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }

    // Wait for the first map of a child of the root window, at most 20 s.
    const int fd = ConnectionNumber(display);
    double mapMs = -1;
    while (mapMs < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) {
                mapMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
                break;
            }
        }
        if (mapMs >= 0)
            break;
        if (std::chrono::steady_clock::now() - started > std::chrono::seconds(20))
            break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait { 0, 100000 };
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
    if (mapMs < 0) {
        std::fprintf(stderr, "startwatch: no window was mapped within 20 s\n");
        endProcess(pid);
        return 1;
    }
    std::printf("map_ms=%.1f\n", mapMs);
    if (hwmAfterMs >= 0) {
        usleep(useconds_t(hwmAfterMs) * 1000);
        std::printf("hwm_kb=%ld\n", peakResidentKb(pid));
    }
    if (keepMs > 0)
        usleep(useconds_t(keepMs) * 1000);
    std::fflush(stdout);
    endProcess(pid);
    XCloseDisplay(display);
    return 0;
}
