// Access to the picture resource. A resource compiled into a static library
// is only linked and registered when something calls its initialiser, which
// must be called outside any namespace; initMediaResources does that once.
#include "Bilder.h"

#include <QString>

#include <array>
#include <mutex>

// Q_INIT_RESOURCE declares the initialiser where it is used, so this must
// stand at global scope.
static void registriere()
{
    Q_INIT_RESOURCE(bilder);
}

namespace {

QImage bild(const char* name)
{
    initMediaResources();
    QImage b(QStringLiteral(":/bilder/%1.png").arg(QLatin1String(name)));
    // The pictures are opaque; a fixed format lets callers compare pixels.
    return b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void initMediaResources()
{
    static std::once_flag einmal;
    std::call_once(einmal, registriere);
}

// Each picture is decoded once: the screens show the same pictures several
// times, and the copies share the decoded pixels.
QImage Titelbild()
{
    static const QImage b = bild("Titelbild");
    return b;
}
QImage TitelbildOhneMotto()
{
    static const QImage b = bild("TitelbildOhneMotto");
    return b;
}
QImage Kartenbild()
{
    static const QImage b = bild("Kartenbild");
    return b;
}
QImage Fussleiste()
{
    static const QImage b = bild("Fussleiste");
    return b;
}
QImage Spielleiste()
{
    static const QImage b = bild("Spielleiste");
    return b;
}

QIcon Programmsymbol()
{
    initMediaResources();
    QIcon symbol;
    for (int kante : std::array { 16, 24, 32, 48, 64, 128, 256 })
        symbol.addFile(QStringLiteral(":/bilder/Programmsymbol-%1.png").arg(kante), QSize(kante, kante));
    return symbol;
}

QString TitelbildText()
{
    return QString::fromUtf8("Tintarium – Erkennen Sie die richtige Farbe wieder!");
}
QString TitelbildOhneMottoText()
{
    return QStringLiteral("Tintarium");
}
QString KartenbildText()
{
    return QString::fromUtf8("Kártyák és egy kérdőjel");
}
QString FussleisteText()
{
    return QString::fromUtf8("irisoft Spiele · Wir bringen Farbe ins Spiel");
}
QString SpielleisteText()
{
    return QStringLiteral("Tintarium");
}
