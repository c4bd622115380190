// Clock clip and segment picture: drawing and the two file formats. The
// writers follow the layouts of the RIFF AVI and BMP headers field by field;
// the game reads the AVI main header at fixed offsets, so `hdrl` is the first
// list and `avih` its first chunk.
#include "Uhrclip.h"

#include "Farben.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <numbers>

namespace Uhrclip {
namespace {

// The clip is drawn on the grey of the box that holds it.
const QColor Hintergrund(240, 240, 240);
const QColor Transparent(255, 0, 255);

void u16(QByteArray& b, std::uint32_t v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

void u32(QByteArray& b, std::uint32_t v)
{
    u16(b, v & 0xFFFF);
    u16(b, v >> 16);
}

void kennung(QByteArray& b, const char (&vier)[5])
{
    b.append(vier, 4);
}

// A RIFF chunk: identifier, little-endian size, data, and a pad byte when
// the size is odd.
QByteArray chunk(const char (&id)[5], const QByteArray& daten)
{
    QByteArray b;
    kennung(b, id);
    u32(b, static_cast<std::uint32_t>(daten.size()));
    b.append(daten);
    if (daten.size() % 2 != 0)
        b.append('\0');
    return b;
}

QByteArray liste(const char (&typ)[5], const QByteArray& inhalt)
{
    QByteArray daten;
    kennung(daten, typ);
    daten.append(inhalt);
    return chunk("LIST", daten);
}

int zeilenlaenge(int breite)
{
    return (breite * 3 + 3) / 4 * 4;
}

// Pixel rows bottom-up, BGR, each padded to four bytes (BI_RGB, 24 bits).
QByteArray dibPixel(const QImage& bild)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    const int zeile = zeilenlaenge(rgb.width());
    QByteArray b;
    b.reserve(zeile * rgb.height());
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const int anfang = b.size();
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb px = rgb.pixel(x, y);
            b.append(static_cast<char>(qBlue(px)));
            b.append(static_cast<char>(qGreen(px)));
            b.append(static_cast<char>(qRed(px)));
        }
        while (b.size() - anfang < zeile)
            b.append('\0');
    }
    return b;
}

QByteArray bitmapInfoHeader(int breite, int hoehe)
{
    QByteArray b;
    u32(b, 40);
    u32(b, static_cast<std::uint32_t>(breite));
    u32(b, static_cast<std::uint32_t>(hoehe)); // positive: rows bottom-up
    u16(b, 1); // planes
    u16(b, 24); // bits per pixel
    u32(b, 0); // BI_RGB
    u32(b, static_cast<std::uint32_t>(zeilenlaenge(breite) * hoehe));
    u32(b, 3780); // 96 dpi as pixels per metre
    u32(b, 3780);
    u32(b, 0);
    u32(b, 0);
    return b;
}

QPointF aufKreis(QPointF mitte, double radius, double grad)
{
    const double bogen = grad * std::numbers::pi / 180.0;
    return { mitte.x() + radius * std::sin(bogen), mitte.y() - radius * std::cos(bogen) };
}

} // namespace

QImage bild(int nummer)
{
    QImage b(Breite, Hoehe, QImage::Format_RGB32);
    b.fill(Hintergrund);
    QPainter p(&b);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF mitte(Breite / 2.0, Hoehe / 2.0);
    const double radius = Breite / 2.0 - 2;
    const double winkel = 360.0 * (nummer - 1) / Bilder;

    // Bezel and face.
    QRadialGradient ring(mitte - QPointF(radius * 0.3, radius * 0.3), radius * 1.6);
    ring.setColorAt(0, QColor(120, 130, 145));
    ring.setColorAt(1, QColor(40, 45, 55));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(mitte, radius, radius);
    const double innen = radius - 4;
    QRadialGradient ziffernblatt(mitte - QPointF(innen * 0.25, innen * 0.3), innen * 1.3);
    ziffernblatt.setColorAt(0, Qt::white);
    ziffernblatt.setColorAt(1, QColor(226, 232, 240));
    p.setBrush(ziffernblatt);
    p.drawEllipse(mitte, innen, innen);

    // The time gone by in this segment, as a light wedge behind the hand.
    if (winkel > 0) {
        QPainterPath keil(mitte);
        keil.arcTo(QRectF(mitte.x() - innen + 1, mitte.y() - innen + 1, 2 * innen - 2, 2 * innen - 2), 90, -winkel);
        keil.closeSubpath();
        p.setBrush(QColor(Farben::Blau.red(), Farben::Blau.green(), Farben::Blau.blue(), 60));
        p.drawPath(keil);
    }

    // One tick per frame, the four quarters longer.
    for (int i = 0; i < Bilder; ++i) {
        const double g = 360.0 * i / Bilder;
        const bool gross = i == 0;
        p.setPen(QPen(QColor(50, 55, 65), gross ? 2.6 : 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(aufKreis(mitte, innen - 2, g), aufKreis(mitte, innen - (gross ? 10 : 6), g));
    }

    // The hand with a small counterweight, then the hub.
    p.setPen(QPen(Farben::Magenta.darker(115), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(aufKreis(mitte, -8, winkel), aufKreis(mitte, innen - 7, winkel));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 45, 55));
    p.drawEllipse(mitte, 4.5, 4.5);
    p.setBrush(Farben::Gelb);
    p.drawEllipse(mitte, 2, 2);
    return b;
}

QByteArray avi()
{
    const int rahmen = zeilenlaenge(Breite) * Hoehe;

    QByteArray avih;
    u32(avih, MikrosekundenProBild);
    u32(avih, static_cast<std::uint32_t>(static_cast<long long>(rahmen) * 1000000 / MikrosekundenProBild + 1));
    u32(avih, 0); // padding granularity
    u32(avih, 0x10); // AVIF_HASINDEX
    u32(avih, Bilder);
    u32(avih, 0); // initial frames
    u32(avih, 1); // streams
    u32(avih, static_cast<std::uint32_t>(rahmen + 8));
    u32(avih, Breite);
    u32(avih, Hoehe);
    for (int i = 0; i < 4; ++i)
        u32(avih, 0);

    QByteArray strh;
    kennung(strh, "vids");
    kennung(strh, "DIB ");
    u32(strh, 0); // flags
    u16(strh, 0); // priority
    u16(strh, 0); // language
    u32(strh, 0); // initial frames
    u32(strh, 2); // scale and rate: 15 / 2 = 7.5 frames per second,
    u32(strh, 15); // the same as 133333 microseconds per frame
    u32(strh, 0); // start
    u32(strh, Bilder);
    u32(strh, static_cast<std::uint32_t>(rahmen));
    u32(strh, 0xFFFFFFFF); // quality: default
    u32(strh, 0); // sample size: varies (video)
    u16(strh, 0);
    u16(strh, 0);
    u16(strh, Breite);
    u16(strh, Hoehe);

    const QByteArray hdrl = liste("hdrl",
        chunk("avih", avih) + liste("strl", chunk("strh", strh) + chunk("strf", bitmapInfoHeader(Breite, Hoehe))));

    QByteArray bilder;
    QByteArray index;
    for (int n = 1; n <= Bilder; ++n) {
        // Offsets in idx1 count from the `movi` identifier.
        const std::uint32_t versatz = static_cast<std::uint32_t>(4 + bilder.size());
        bilder.append(chunk("00db", dibPixel(bild(n))));
        kennung(index, "00db");
        u32(index, 0x10); // AVIIF_KEYFRAME
        u32(index, versatz);
        u32(index, static_cast<std::uint32_t>(rahmen));
    }

    QByteArray inhalt;
    kennung(inhalt, "AVI ");
    inhalt.append(hdrl);
    inhalt.append(liste("movi", bilder));
    inhalt.append(chunk("idx1", index));
    return chunk("RIFF", inhalt);
}

QImage segment()
{
    QImage b(SegmentKante, SegmentKante, QImage::Format_RGB32);
    b.fill(Transparent);
    QPainter p(&b);
    // No antialiasing at the rim: every pixel is either the ball or exactly
    // the transparent colour, so no magenta fringe shows on the box.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF ball(1, 1, SegmentKante - 3, SegmentKante - 3);
    QRadialGradient glanz(QPointF(SegmentKante * 0.38, SegmentKante * 0.33), SegmentKante * 0.62);
    glanz.setColorAt(0, QColor(190, 228, 255));
    glanz.setColorAt(0.45, Farben::Blau.lighter(115));
    glanz.setColorAt(1, QColor(0, 70, 150));
    p.setBrush(glanz);
    p.setPen(QPen(QColor(20, 40, 80), 0));
    p.drawEllipse(ball);
    return b;
}

QByteArray segmentBmp()
{
    const QByteArray pixel = dibPixel(segment());
    QByteArray b;
    b.append("BM", 2);
    u32(b, static_cast<std::uint32_t>(14 + 40 + pixel.size()));
    u32(b, 0); // reserved
    u32(b, 14 + 40); // offset of the pixels
    b.append(bitmapInfoHeader(SegmentKante, SegmentKante));
    b.append(pixel);
    return b;
}

} // namespace Uhrclip
