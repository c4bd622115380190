// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Clock clip and segment picture: drawing, and the two files, written with
// RiffWriter (which puts `hdrl` first and `avih` first in it, where the game
// reads the main header at fixed offsets).
#include "Uhrclip.h"

#include "Farben.h"
#include "RiffWriter.h"

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
    RiffWriter::AviVideo video;
    video.width = Breite;
    video.height = Hoehe;
    video.microsecondsPerFrame = MikrosekundenProBild;
    // 15 / 2 = 7.5 frames per second, the same as 133333 microseconds per
    // frame, exactly.
    video.rate = 15;
    video.scale = 2;
    for (int n = 1; n <= Bilder; ++n)
        video.frames.push_back(RiffWriter::dibRows24(bild(n)));
    return RiffWriter::avi(video);
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
    const QByteArray pixel = RiffWriter::dibRows24(segment());
    constexpr std::uint32_t kopf = 14 + 40;
    RiffWriter w; // a bitmap is no RIFF file, but its fields are little-endian too
    w.append(QByteArray("BM", 2));
    w.u32(static_cast<std::uint32_t>(kopf + pixel.size()));
    w.u32(0); // reserved
    w.u32(kopf); // offset of the pixels
    w.bitmapInfoHeader(SegmentKante, SegmentKante, 24, 0, static_cast<std::uint32_t>(pixel.size()), 0);
    w.append(pixel);
    return w.bytes();
}

} // namespace Uhrclip
