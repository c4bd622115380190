// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing of the built-in pictures and the program icon. Positions are fixed
// pixel boxes on the pictures; texts are fitted into their boxes by measuring
// the rendered glyphs, so a change of font version keeps the layout.
#include "Zeichnung.h"

#include "Bildtexte.h"
#include "Farben.h"

#include <QConicalGradient>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Zeichnung {
namespace {

const QString Sans = QStringLiteral("Liberation Sans");

QFont schrift(double pixel, bool fett, double abstand = 0, const QString& familie = Sans)
{
    QFont f(familie);
    if (abstand != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, abstand);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixel))));
    f.setBold(fett);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(true);
    return f;
}

// A run of text in one style; words made of several runs (the title word,
// the brand word) are laid out run after run on one baseline.
struct Abschnitt {
    QString text;
    bool fett;
    QColor farbe;
    double abstand = 0; // extra pixels after each letter
};

double breite(const std::vector<Abschnitt>& teile, double pixel)
{
    double summe = 0;
    for (const auto& t : teile)
        summe += QFontMetricsF(schrift(pixel, t.fett, t.abstand)).horizontalAdvance(t.text);
    return summe;
}

// Largest whole pixel size at which the runs are at most `ziel` wide.
int passendeGroesse(const std::vector<Abschnitt>& teile, double ziel)
{
    int pixel = 4;
    while (pixel < 400 && breite(teile, pixel + 1) <= ziel)
        ++pixel;
    return pixel;
}

// Largest whole pixel size at which the runs stand at most `ziel` high
// from the top of the tallest letter to the baseline.
int groesseNachHoehe(const std::vector<Abschnitt>& teile, double ziel)
{
    const auto hoehe = [&](int pixel) {
        double h = 0;
        for (const auto& t : teile)
            h = std::max(h, -QFontMetricsF(schrift(pixel, t.fett)).tightBoundingRect(t.text).top());
        return h;
    };
    int pixel = 4;
    while (pixel < 400 && hoehe(pixel + 1) <= ziel)
        ++pixel;
    return pixel;
}

// Draws the runs so that the top of the first run's capital or ascender
// lands on `oben` and the text starts at `links`; returns the drawn width.
double schreibe(QPainter& p, const std::vector<Abschnitt>& teile, int pixel, double links, double oben)
{
    const QFontMetricsF erste(schrift(pixel, teile.front().fett, teile.front().abstand));
    const QRectF kasten = erste.tightBoundingRect(teile.front().text);
    const double grundlinie = std::round(oben - kasten.top());
    double x = std::round(links - kasten.left());
    const double start = x;
    for (const auto& t : teile) {
        const QFont f = schrift(pixel, t.fett, t.abstand);
        p.setFont(f);
        p.setPen(t.farbe);
        p.drawText(QPointF(x, grundlinie), t.text);
        x += QFontMetricsF(f).horizontalAdvance(t.text);
    }
    return x - start;
}

std::vector<Abschnitt> titelwort()
{
    return { { QStringLiteral("Tint"), true, Farben::Dunkelgrau },
        { QStringLiteral("arium"), false, Farben::Dunkelgrau } };
}

std::vector<Abschnitt> markenwort(double abstand)
{
    return { { QStringLiteral("iri"), false, Farben::Dunkelgrau, abstand },
        { QStringLiteral("soft"), true, Farben::Schwarz, abstand } };
}

// The eye: an almond whose upper lid is a rainbow of five bands meeting in
// the corners, a lower lid shaded through the same colours, and an iris of
// the five colours round a dark pupil. `mitte` is the middle of the line
// through the two corners; the eye spans 0.375 of its width in height, times
// `offen`, which opens it wider (and the iris grows with it) for the icon.
void zeichneAuge(QPainter& p, QPointF mitte, double weite, double offen = 1.0)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(mitte);
    p.scale(weite, weite);
    p.setPen(Qt::NoPen);

    const auto band = [offen](double aussen, double innen) {
        // Two quadratic curves through both corners whose apexes lie
        // `aussen` and `innen` above (negative) or below the corner line.
        QPainterPath weg(QPointF(-0.5, 0));
        weg.quadTo(0, 2 * aussen * offen, 0.5, 0);
        weg.quadTo(0, 2 * innen * offen, -0.5, 0);
        weg.closeSubpath();
        return weg;
    };

    // The white of the eye, then the iris, which the lids then overlap.
    const QPainterPath weiss = band(-0.12, 0.1);
    p.setBrush(Qt::white);
    p.drawPath(weiss);

    p.save();
    p.setClipPath(weiss);
    const double r = 0.105 * (1 + (offen - 1) * 0.7);
    const QPointF iris(0, -0.01 * offen);
    QConicalGradient regenbogen(iris, 90);
    const auto& farben = Farben::Regenbogen;
    for (int i = 0; i < 5; ++i)
        regenbogen.setColorAt(i / 5.0, farben[i]);
    regenbogen.setColorAt(1.0, farben[0]);
    p.setBrush(regenbogen);
    p.drawEllipse(iris, r, r);
    QRadialGradient pupille(iris + QPointF(-0.1, -0.12) * r, 0.5 * r);
    pupille.setColorAt(0, QColor(70, 70, 70));
    pupille.setColorAt(1, QColor(20, 20, 20));
    p.setBrush(pupille);
    p.drawEllipse(iris, 0.43 * r, 0.43 * r);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(iris + QPointF(0.3, -0.38) * r, 0.18 * r, 0.18 * r);
    p.restore();

    // Upper lid: five bands from yellow outside to magenta inside.
    const std::array<double, 6> scheitel { -0.25, -0.219, -0.188, -0.157, -0.126, -0.095 };
    for (int i = 0; i < 5; ++i) {
        p.setBrush(farben[i]);
        p.drawPath(band(scheitel[i], scheitel[i + 1]));
    }
    // Lower lid: one band shaded from magenta to yellow.
    QLinearGradient unten(-0.5, 0, 0.5, 0);
    for (int i = 0; i < 5; ++i)
        unten.setColorAt(i / 4.0, farben[4 - i]);
    p.setBrush(unten);
    p.drawPath(band(0.125, 0.082));
    p.restore();
}

// The logo: the eye above the brand word, centred on `mitteX`, the eye
// `weite` wide with its top at `oben`; the brand word's letters stand
// `wortHoehe` high from `wortOben`.
void zeichneLogo(QPainter& p, double mitteX, double oben, double weite, double wortOben, double wortHoehe)
{
    zeichneAuge(p, QPointF(mitteX, oben + 0.25 * weite), weite);
    const auto wort = markenwort(wortHoehe / 8);
    const int pixel = groesseNachHoehe(wort, wortHoehe);
    schreibe(p, wort, pixel, mitteX - breite(wort, pixel) / 2, wortOben);
}

QImage leer(int breite, int hoehe, QColor farbe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(farbe);
    return bild;
}

// One pass of a box blur along the rows, or with `senkrecht` along the
// columns, from `von` into `nach`; the edge values repeat beyond the edges.
void glaetten(const std::vector<int>& von, std::vector<int>& nach, int breite, int hoehe, int radius, bool senkrecht)
{
    const int fenster = 2 * radius + 1;
    for (int y = 0; y < hoehe; ++y)
        for (int x = 0; x < breite; ++x) {
            int summe = 0;
            for (int d = -radius; d <= radius; ++d) {
                const int xx = senkrecht ? x : std::clamp(x + d, 0, breite - 1);
                const int yy = senkrecht ? std::clamp(y + d, 0, hoehe - 1) : y;
                summe += von[yy * breite + xx];
            }
            nach[y * breite + x] = summe / fenster;
        }
}

// Softens a coverage mask with three box passes each way: close to a
// Gaussian blur of the given radius, in integers so it is reproducible.
void weichzeichnen(std::vector<int>& maske, int breite, int hoehe, int radius)
{
    std::vector<int> puffer(maske.size());
    for (int durchgang = 0; durchgang < 3; ++durchgang) {
        glaetten(maske, puffer, breite, hoehe, radius, false);
        glaetten(puffer, maske, breite, hoehe, radius, true);
    }
}

// The blurred question mark of the card picture: rendered sharp into a mask,
// blurred, then laid over the background in grey.
void zeichneFragezeichen(QPainter& p, QRect kasten, QColor farbe)
{
    QImage maskenbild(kasten.size(), QImage::Format_ARGB32_Premultiplied);
    maskenbild.fill(Qt::transparent);
    {
        QPainter m(&maskenbild);
        m.setRenderHint(QPainter::Antialiasing, true);
        const QString zeichen = QStringLiteral("?");
        QFont f = schrift(kasten.height() * 1.05, true);
        const QRectF eng = QFontMetricsF(f).tightBoundingRect(zeichen);
        const double mass = std::min((kasten.width() - 24) / eng.width(), (kasten.height() - 24) / eng.height());
        f = schrift(kasten.height() * 1.05 * mass, true);
        const QRectF neu = QFontMetricsF(f).tightBoundingRect(zeichen);
        m.setFont(f);
        m.setPen(Qt::white);
        m.drawText(
            QPointF((kasten.width() - neu.width()) / 2 - neu.left(), (kasten.height() - neu.height()) / 2 - neu.top()),
            zeichen);
    }
    const int w = kasten.width();
    const int h = kasten.height();
    std::vector<int> maske(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            maske[y * w + x] = qAlpha(maskenbild.pixel(x, y));
    weichzeichnen(maske, w, h, 3);

    QImage grau(kasten.size(), QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            grau.setPixel(x, y, qRgba(farbe.red(), farbe.green(), farbe.blue(), maske[y * w + x]));
    p.drawImage(kasten.topLeft(), grau);
}

} // namespace

QImage Titelbild(bool mitMotto)
{
    QImage bild = leer(800, 300, Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    zeichneLogo(p, 676, 29, 136, 83, 17);

    const auto titel = titelwort();
    schreibe(p, titel, passendeGroesse(titel, 203), 28, 248);
    if (mitMotto) {
        const std::vector<Abschnitt> motto { { QString::fromUtf8(Bildtexte::Motto), false, Farben::Dunkelgrau } };
        schreibe(p, motto, passendeGroesse(motto, 428), 251, 262);
    }
    return bild;
}

QImage Kartenbild()
{
    QImage bild = leer(800, 255, QColor(192, 192, 192));
    QPainter p(&bild);
    zeichneFragezeichen(p, QRect(476, 14, 172, 226), QColor(112, 112, 112));

    // The tiles exactly as the game draws them: no antialiasing, a one-pixel
    // black outline inside the tile's box, rounded squares with corner
    // ellipses a quarter of the side wide.
    enum class Form { Quadrat, Abgerundet, Kreis };
    struct Kachel {
        Form form;
        int x, y, seite;
        QColor farbe;
    };
    const std::array<Kachel, 9> kacheln { {
        { Form::Quadrat, 14, 96, 86, QColor(93, 177, 235) },
        { Form::Abgerundet, 78, 40, 104, QColor(35, 86, 211) },
        { Form::Quadrat, 150, 118, 92, QColor(73, 144, 179) },
        { Form::Kreis, 214, 30, 96, QColor(66, 154, 229) },
        { Form::Abgerundet, 280, 104, 110, QColor(95, 93, 149) },
        { Form::Quadrat, 354, 46, 80, QColor(102, 190, 197) },
        { Form::Abgerundet, 410, 128, 88, QColor(116, 116, 163) },
        { Form::Quadrat, 444, 62, 64, QColor(93, 177, 235) },
        { Form::Abgerundet, 120, 176, 60, QColor(95, 93, 149) },
    } };
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    for (const auto& k : kacheln) {
        p.setBrush(k.farbe);
        const QRect r(k.x, k.y, k.seite - 1, k.seite - 1);
        switch (k.form) {
        case Form::Quadrat: p.drawRect(r); break;
        case Form::Abgerundet: p.drawRoundedRect(r, k.seite / 8.0, k.seite / 8.0); break;
        case Form::Kreis: p.drawEllipse(r); break;
        }
    }

    // A light-blue panel running out of the right edge.
    p.setBrush(QColor(168, 212, 250));
    p.drawRect(QRect(640, 27, 200, 140));
    return bild;
}

QImage Fussleiste()
{
    QImage bild = leer(800, 45, Qt::white);
    QPainter p(&bild);
    const std::vector<Abschnitt> zeile { { QString::fromUtf8(Bildtexte::Fusszeile), false, Farben::Schwarz } };
    schreibe(p, zeile, passendeGroesse(zeile, 269), 33, 22);
    const std::vector<Abschnitt> marke { { QStringLiteral("irisoft"), true, Farben::Schwarz } };
    schreibe(p, marke, passendeGroesse(marke, 64), 658, 13);
    return bild;
}

QImage Spielleiste()
{
    QImage bild = leer(800, 45, Qt::white);
    QPainter p(&bild);
    const auto titel = titelwort();
    schreibe(p, titel, passendeGroesse(titel, 116), 32, 14);
    zeichneAuge(p, QPointF(638, 10 + 0.25 * 48), 48);
    const auto wort = markenwort(1);
    schreibe(p, wort, passendeGroesse(wort, 68), 667, 14);
    return bild;
}

QImage Programmsymbol(int kante)
{
    QImage bild(kante, kante, QImage::Format_ARGB32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double rand = kante <= 24 ? 0.5 : kante / 32.0;
    const QRectF kachel(rand, rand, kante - 2 * rand, kante - 2 * rand);
    p.setPen(QPen(QColor(200, 200, 200), std::max(1.0, kante / 128.0)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(kachel, kante * 0.18, kante * 0.18);
    // Small sizes get a wider-open eye, so its colours stay apart.
    const double offen = kante <= 24 ? 1.7 : 1.45;
    const double weite = kante * (kante <= 24 ? 0.94 : 0.84);
    zeichneAuge(p, QPointF(kante / 2.0, kante / 2.0 + 0.06 * weite * offen), weite, offen);
    return bild;
}

} // namespace Zeichnung
