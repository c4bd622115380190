// Screenshots with weston-screenshooter, keys through the weston_keys FIFO.
#include "WestonDesktop.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

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
