// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Access to the picture resource. A resource compiled into a static library
// is only linked and registered when something calls its initialiser, which
// must be called outside any namespace; initMediaResources does that once.
#include "Bilder.h"

#include "Bildtexte.h"

#include <QString>

#include <array>
#include <map>
#include <mutex>
#include <string>

// Q_INIT_RESOURCE declares the initialiser where it is used, so this must
// stand at global scope.
static void registriere()
{
    Q_INIT_RESOURCE(bilder);
}

namespace {

// Each picture is decoded once: the screens show the same pictures several
// times, and the copies share the decoded pixels. Pictures are asked for on
// the user-interface thread only.
QImage bild(const char* name)
{
    static std::map<std::string, QImage> decoded;
    QImage& picture = decoded[name];
    if (picture.isNull()) {
        initMediaResources();
        // The pictures are opaque; a fixed format lets callers compare pixels.
        picture
            = QImage(QStringLiteral(":/bilder/%1.png").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
    }
    return picture;
}

} // namespace

void initMediaResources()
{
    static std::once_flag einmal;
    std::call_once(einmal, registriere);
}

QImage Titelbild()
{
    return bild("Titelbild");
}
QImage TitelbildOhneMotto()
{
    return bild("TitelbildOhneMotto");
}
QImage Kartenbild()
{
    return bild("Kartenbild");
}
QImage Fussleiste()
{
    return bild("Fussleiste");
}
QImage Spielleiste()
{
    return bild("Spielleiste");
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
    return QString::fromUtf8("Tintarium – ") + QString::fromUtf8(Bildtexte::Motto);
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
    return QString::fromUtf8(Bildtexte::Fusszeile);
}
QString SpielleisteText()
{
    return QStringLiteral("Tintarium");
}
