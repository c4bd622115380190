// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the count of sound outputs against the private sound server of
// the test run: its sinks are counted, one more when one more is loaded; no
// server counts none; and a server that takes the connection and never
// answers counts none too, after the wait rather than never.
#include "OutputCount.h"
#include "PulseServer.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

namespace {

constexpr std::chrono::milliseconds kWait { 2000 };

QByteArray pactl(const QStringList& arguments)
{
    QProcess pactl;
    pactl.start("pactl", arguments);
    if (!pactl.waitForFinished(10000) || pactl.exitCode() != 0)
        return "failed";
    return pactl.readAllStandardOutput().trimmed();
}

TEST(OutputCount, TheServersSinksAreCounted)
{
    EXPECT_EQ(OutputCount::pulseSinks(kWait), 1); // the null sink
    const QByteArray module = pactl({ "load-module", "module-null-sink", "sink_name=zweite" });
    ASSERT_NE(module, "failed");
    EXPECT_EQ(OutputCount::pulseSinks(kWait), 2);
    EXPECT_NE(pactl({ "unload-module", QString::fromUtf8(module) }), "failed");
}

TEST(OutputCount, NoServerCountsNone)
{
    QTemporaryDir dir;
    PulseServerAddress nowhere("unix:" + QFile::encodeName(dir.filePath("kein-server")));
    EXPECT_EQ(OutputCount::pulseSinks(kWait), 0);
}

// A socket that takes connections into its queue and never reads them, as a
// frozen server does.
TEST(OutputCount, AServerThatNeverAnswersCountsNone)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("stumm"));
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listening, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listening, 16), 0);
    {
        PulseServerAddress frozen("unix:" + path);
        EXPECT_EQ(OutputCount::pulseSinks(std::chrono::milliseconds(300)), 0);
    }
    ::close(listening);
}

} // namespace
