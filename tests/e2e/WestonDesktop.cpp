// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Screenshots with weston-screenshooter, keys through the weston_keys FIFO,
// the protocol log with weston-debug.
#include "WestonDesktop.h"

#include "XDesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

WestonDesktop::WestonDesktop()
    : m_protocolFolder(std::make_unique<QTemporaryDir>())
    , m_protocolLog(std::make_unique<QProcess>())
{
    // Into a file: weston writes the log to weston-debug as it goes and
    // waits while weston-debug is blocked on a full pipe.
    m_protocolLog->setProcessChannelMode(QProcess::ForwardedChannels);
    m_protocolLog->start(
        QStringLiteral("weston-debug"), { QStringLiteral("--output"), protocolFile(), QStringLiteral("proto") });
    // The log's first line is weston-debug's own request that follows its
    // subscription: from then on every request is logged.
    const bool subscribed = m_protocolLog->waitForStarted(5000)
        && XDesktop::waitUntil([&] { return QFileInfo(protocolFile()).size() > 0; }, 5s);
    if (!subscribed)
        m_protocolLog->kill();
}

WestonDesktop::~WestonDesktop()
{
    m_protocolLog->kill();
    m_protocolLog->waitForFinished(3000);
}

QString WestonDesktop::protocolFile() const
{
    return m_protocolFolder->filePath(QStringLiteral("protocol.log"));
}

QStringList WestonDesktop::appIds() const
{
    // A request reads: [time][proto] client 0x... rq xdg_toplevel@14.set_app_id("id")
    static const QRegularExpression request(QStringLiteral(R"re( rq xdg_toplevel@\d+\.set_app_id\("([^"]*)"\))re"));
    QStringList ids;
    QFile log(protocolFile());
    if (m_protocolLog->state() != QProcess::Running || !log.open(QIODevice::ReadOnly))
        return ids;
    while (!log.atEnd()) {
        const auto match = request.match(QString::fromUtf8(log.readLine()));
        if (match.hasMatch())
            ids.append(match.captured(1));
    }
    return ids;
}

QImage WestonDesktop::screenshot() const
{
    // The screenshooter writes wayland-screenshot-<time>.png into its
    // working directory.
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    shooter.setStandardOutputFile(QProcess::nullDevice());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000)) {
        shooter.kill();
        shooter.waitForFinished(3000);
        return {};
    }
    const QStringList shots = QDir(folder.path()).entryList({ QStringLiteral("*.png") }, QDir::Files);
    if (shots.isEmpty())
        return {};
    return QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

bool WestonDesktop::key(const QString& name) const
{
    const QByteArray fifo = qgetenv("TINTARIUM_WESTON_KEYS");
    if (fifo.isEmpty())
        return false;
    // Non-blocking: without the compositor reading, the open fails at once.
    const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const QByteArray line = name.toLatin1() + '\n';
    const bool written = ::write(fd, line.constData(), size_t(line.size())) == line.size();
    ::close(fd);
    return written;
}

std::optional<QPoint> WestonDesktop::gameWindow(const QImage& shot)
{
    constexpr QRgb white = 0xFFFFFFFF;
    for (int y = 0; y < shot.height(); ++y) {
        int run = 0;
        for (int x = 0; x < shot.width(); ++x) {
            run = (shot.pixel(x, y) | 0xFF000000) == white ? run + 1 : 0;
            if (run == 808)
                return QPoint(x - 807, y);
        }
    }
    return std::nullopt;
}
