// Loading and drawing of pictures. Bitmaps are checked against their own
// header (sizes, bit depth, compression, enough pixel data) before Qt decodes
// them, so that a truncated or corrupt file is refused as invalid.
#include "Image.h"

#include "ToolkitError.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr qint64 maxPictureFileSize = 256 * 1024 * 1024;
constexpr std::int64_t maxSide = 32768;
// Pictures of this game are small; the cap keeps a tiny run-length file that
// claims a huge size from costing hundreds of megabytes and seconds.
constexpr std::int64_t maxPixels = 4 * 1024 * 1024;

std::uint32_t readU32(const QByteArray& data, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t readU16(const QByteArray& data, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData()) + at;
    return std::uint16_t(p[0] | p[1] << 8);
}

// True when the header describes a bitmap whose pixel data is all present.
bool plausibleBitmap(const QByteArray& data)
{
    const std::int64_t size = data.size();
    if (size < 26 || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::int64_t offBits = readU32(data, 10);
    const std::int64_t headerSize = readU32(data, 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = readU16(data, 18);
        height = readU16(data, 20);
        planes = readU16(data, 22);
        bitCount = readU16(data, 24);
    } else if (headerSize >= 40 && headerSize <= 1024 && 14 + headerSize <= size) {
        width = std::int32_t(readU32(data, 18));
        height = std::int32_t(readU32(data, 22));
        planes = readU16(data, 26);
        bitCount = readU16(data, 28);
        compression = readU32(data, 30);
    } else {
        return false;
    }
    height = std::llabs(height);
    if (planes != 1 || width <= 0 || height <= 0 || width > maxSide || height > maxSide || width * height > maxPixels)
        return false;
    if (offBits < 14 + headerSize || offBits > size)
        return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return false;
    }
    switch (compression) {
    case 0: // uncompressed
    case 3: { // bit fields
        const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
        return offBits + rowBytes * height <= size;
    }
    case 1: // RLE8
        return bitCount == 8 && offBits < size;
    case 2: // RLE4
        return bitCount == 4 && offBits < size;
    default: return false;
    }
}

// The extension as the user wrote it: what follows the last dot of the
// file's name (empty without a dot).
QString extensionOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return QString();
    return fileName.mid(dot + 1);
}

} // namespace

TImage::TImage(QWidget* parent)
    : TGraphicControl(parent)
{
    resize(105, 105);
}

void TImage::setPicture(const QImage& picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    prepareDisplay();
    update();
}

void TImage::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    prepareDisplay();
    update();
}

void TImage::loadFromFile(const QString& fileName)
{
    const QString extension = extensionOf(fileName);
    const QString kind = extension.toLower();
    const char* format = nullptr;
    if (kind == QLatin1String("bmp"))
        format = "BMP";
    else if (kind == QLatin1String("png"))
        format = "PNG";
    else if (kind == QLatin1String("jpg") || kind == QLatin1String("jpeg"))
        format = "JPG";
    else
        throw EToolkitError(QString::fromUtf8("Unbekannte Bilddateierweiterung (.%1)").arg(extension));

    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw EToolkitError(QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(fileName));

    const bool bitmap = kind == QLatin1String("bmp");
    const QString invalid = QString::fromUtf8(bitmap ? "Bitmap ist ungültig" : "Bild ist ungültig");
    if (file.size() > maxPictureFileSize)
        throw EToolkitError(invalid);
    const QByteArray data = file.readAll();
    if (bitmap && !plausibleBitmap(data))
        throw EToolkitError(invalid);
    QImage loaded;
    if (!loaded.loadFromData(data, format) || loaded.isNull())
        throw EToolkitError(invalid);
    setPicture(loaded);
}

void TImage::prepareDisplay()
{
    if (!m_transparent || m_picture.isNull()) {
        m_display = m_picture;
        return;
    }
    m_display = m_picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = m_display.pixel(0, m_display.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < m_display.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_display.scanLine(y));
        for (int x = 0; x < m_display.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
    }
}

void TImage::paintEvent(QPaintEvent*)
{
    if (m_display.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_display);
}
