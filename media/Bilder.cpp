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

QImage Titelbild() { return bild("Titelbild"); }
QImage TitelbildOhneMotto() { return bild("TitelbildOhneMotto"); }
QImage Kartenbild() { return bild("Kartenbild"); }
QImage Fussleiste() { return bild("Fussleiste"); }
QImage Spielleiste() { return bild("Spielleiste"); }

QIcon Programmsymbol()
{
    initMediaResources();
    QIcon symbol;
    for (int kante : std::array{16, 24, 32, 48, 64, 128, 256})
        symbol.addFile(QStringLiteral(":/bilder/Programmsymbol-%1.png").arg(kante), QSize(kante, kante));
    return symbol;
}
