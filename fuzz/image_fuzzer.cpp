// Fuzz target of the picture loading: the input is a ".bmp" file that
// TImage::loadFromFile checks and decodes; a picture it accepts is made
// transparent (keyed on its bottom-left pixel) and painted, as the clock
// segment pictures are.
#include "FuzzSupport.h"
#include "Image.h"
#include "ToolkitError.h"

#include <QImage>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeScratchFile(QStringLiteral("TintariumUhr.bmp"), data, size);
    TImage image(nullptr);
    try {
        image.loadFromFile(path);
    } catch (const EToolkitError& e) {
        reportOutcome(e.text());
        return 0; // refused: the error the game shows
    }
    reportOutcome(QStringLiteral("%1 x %2").arg(image.picture().width()).arg(image.picture().height()));
    // Qt's decoder is not instrumented: what it made of the file guides the search.
    const QImage picture = image.picture();
    coverValue(0, static_cast<unsigned>(picture.format()));
    coverValue(1, static_cast<unsigned>(picture.width()));
    coverValue(2, static_cast<unsigned>(picture.height()));
    coverValue(3, static_cast<unsigned>(picture.colorCount()));
    image.setTransparent(true);
    QImage canvas(image.size(), QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    image.render(&canvas);
    return 0;
}
