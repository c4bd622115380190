// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The built-in pictures and the icon, checked at the places where the
// screens expect their content: sizes, background and strips, the title
// word and slogan boxes, the card picture's tile fills, question mark and
// light-blue panel, and the icon sizes.
#include "Bilder.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace {

int zaehle(const QImage& bild, const QRect& bereich, const std::function<bool(QColor)>& passt)
{
    int n = 0;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            if (passt(bild.pixelColor(x, y)))
                ++n;
    return n;
}

bool weiss(QColor c)
{
    return c == QColor(Qt::white);
}

// Neutral dark grey, as the title word is drawn (its antialiased edges are
// lighter greys and are not counted).
bool dunkelgrau(QColor c)
{
    return c.red() == c.green() && c.green() == c.blue() && c.red() >= 40 && c.red() <= 100;
}

bool schwaerzlich(QColor c)
{
    return c.lightness() < 60;
}

// Saturated pixels whose hue lies within `spanne` degrees of `ton`.
std::function<bool(QColor)> farbton(int ton, int spanne = 20)
{
    return [=](QColor c) {
        const int h = c.hsvHue();
        if (h < 0 || c.hsvSaturation() < 150 || c.value() < 120)
            return false;
        const int d = std::abs(h - ton);
        return std::min(d, 360 - d) <= spanne;
    };
}

// Everything outside the given boxes (grown by a small margin for glyph
// edges) is the background colour.
void nurInKaesten(const QImage& bild, const std::vector<QRect>& kaesten, QColor hintergrund)
{
    int fremd = 0;
    QPoint erstes;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            bool drin = false;
            for (const QRect& k : kaesten)
                drin = drin || k.adjusted(-3, -3, 3, 3).contains(x, y);
            if (!drin && bild.pixelColor(x, y) != hintergrund && fremd++ == 0)
                erstes = QPoint(x, y);
        }
    EXPECT_EQ(fremd, 0) << "first at " << erstes.x() << ", " << erstes.y();
}

const QRect Logo(566, 29, 221, 72); // x 566-786, y 29-100
const QRect Titelwort(28, 248, 204, 33); // x 28-231, y 248-280
const QRect Motto(251, 262, 429, 25); // x 251-679, y 262-286

} // namespace

TEST(Titelbild, LogoTitleWordAndSloganStandInTheirBoxesOnWhite)
{
    const QImage bild = Titelbild();
    ASSERT_EQ(bild.size(), QSize(800, 300));
    nurInKaesten(bild, { Logo, Titelwort, Motto }, Qt::white);
    EXPECT_GT(zaehle(bild, Titelwort, dunkelgrau), 800);
    EXPECT_GT(zaehle(bild, Motto, dunkelgrau), 300);
    // The eye's five colours and the brand word's black.
    for (int ton : { 48, 135, 208, 268, 323 })
        EXPECT_GT(zaehle(bild, Logo, farbton(ton, 12)), 30) << "hue " << ton;
    EXPECT_GT(zaehle(bild, Logo, schwaerzlich), 100);
    // The title word's bold part is heavier than its regular part.
    const QRect fett(28, 248, 90, 33);
    const QRect normal(120, 248, 90, 33);
    EXPECT_GT(zaehle(bild, fett, dunkelgrau), zaehle(bild, normal, dunkelgrau));
}

TEST(Titelbild, WithoutSloganIsTheSamePictureWithAnEmptySloganBox)
{
    const QImage mit = Titelbild();
    const QImage ohne = TitelbildOhneMotto();
    ASSERT_EQ(ohne.size(), QSize(800, 300));
    EXPECT_EQ(zaehle(ohne, Motto.adjusted(-3, -3, 3, 3), weiss), (Motto.width() + 6) * (Motto.height() + 6));
    int verschieden = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 800; ++x)
            if (!Motto.adjusted(-3, -3, 3, 3).contains(x, y) && mit.pixel(x, y) != ohne.pixel(x, y))
                ++verschieden;
    EXPECT_EQ(verschieden, 0);
}

TEST(Kartenbild, TilesQuestionMarkAndPanelOnSilverGrey)
{
    const QImage bild = Kartenbild();
    ASSERT_EQ(bild.size(), QSize(800, 255));
    const QColor silber(192, 192, 192);
    for (QPoint p : { QPoint(1, 1), QPoint(2, 250), QPoint(470, 4), QPoint(700, 220), QPoint(799, 254) })
        EXPECT_EQ(bild.pixelColor(p), silber) << p.x() << ", " << p.y();

    const std::array<QColor, 7> fuellungen { QColor(93, 177, 235), QColor(35, 86, 211), QColor(73, 144, 179),
        QColor(66, 154, 229), QColor(95, 93, 149), QColor(102, 190, 197), QColor(116, 116, 163) };
    const QRect links(0, 0, 534, 255);
    for (QColor f : fuellungen)
        EXPECT_GT(zaehle(bild, links, [f](QColor c) { return c == f; }), 500) << f.name().toStdString();

    // The tiles are drawn without antialiasing: left of the question mark
    // every pixel is the background, an outline or one of the fills.
    const int andere = zaehle(bild, QRect(0, 0, 476, 255), [&](QColor c) {
        return c != silber && c != QColor(Qt::black)
            && std::find(fuellungen.begin(), fuellungen.end(), c) == fuellungen.end();
    });
    EXPECT_EQ(andere, 0);

    // The question mark: a blur of neutral greys darker than the background.
    const QRect frage(534, 14, 104, 226);
    EXPECT_GT(zaehle(bild, frage, [](QColor c) { return c.red() == c.blue() && c.red() < 150; }), 1000);
    int stufen = 0; // a blur shows many grey levels, a sharp glyph few
    for (int g = 120; g < 190; ++g)
        if (zaehle(bild, frage, [g](QColor c) { return c == QColor(g, g, g); }) > 0)
            ++stufen;
    EXPECT_GT(stufen, 40);

    // The light-blue panel from x 640 to the right edge, y 27 to 167.
    const QColor hellblau = bild.pixelColor(720, 100);
    EXPECT_GT(hellblau.blue(), 220);
    EXPECT_GT(hellblau.blue(), hellblau.red());
    EXPECT_EQ(bild.pixelColor(799, 100), hellblau);
    EXPECT_EQ(bild.pixelColor(641, 28), hellblau);
    EXPECT_EQ(bild.pixelColor(799, 166), hellblau);
    for (QPoint p : { QPoint(640, 100), QPoint(720, 27), QPoint(720, 167), QPoint(799, 27), QPoint(799, 167) })
        EXPECT_EQ(bild.pixelColor(p), QColor(Qt::black)) << p.x() << ", " << p.y();
    EXPECT_EQ(bild.pixelColor(720, 26), silber);
    EXPECT_EQ(bild.pixelColor(720, 168), silber);
}

TEST(Leisten, FooterHasCompanyLineAndLogoOnWhite)
{
    const QImage bild = Fussleiste();
    ASSERT_EQ(bild.size(), QSize(800, 45));
    const QRect zeile(33, 22, 270, 12);
    const QRect marke(658, 13, 65, 19);
    nurInKaesten(bild, { zeile, marke }, Qt::white);
    EXPECT_GT(zaehle(bild, zeile, schwaerzlich), 150);
    EXPECT_GT(zaehle(bild, marke, schwaerzlich), 150);
}

TEST(Leisten, GameStripHasTitleWordAndSmallLogoOnWhite)
{
    const QImage bild = Spielleiste();
    ASSERT_EQ(bild.size(), QSize(800, 45));
    const QRect titel(32, 14, 117, 20);
    const QRect logo(614, 8, 122, 30);
    nurInKaesten(bild, { titel, logo }, Qt::white);
    EXPECT_GT(zaehle(bild, titel, dunkelgrau), 200);
    for (int ton : { 48, 135, 208, 268, 323 })
        EXPECT_GT(zaehle(bild, logo, farbton(ton, 14)), 3) << "hue " << ton;
    EXPECT_GT(zaehle(bild, logo, schwaerzlich), 40);
}

TEST(Programmsymbol, OffersTheDesktopSizesWithTheEyeOnWhite)
{
    const QIcon symbol = Programmsymbol();
    ASSERT_FALSE(symbol.isNull());
    const QList<QSize> groessen = symbol.availableSizes();
    for (int kante : { 16, 24, 32, 48, 64, 128, 256 })
        EXPECT_TRUE(groessen.contains(QSize(kante, kante))) << kante;

    const QImage bild = symbol.pixmap(QSize(256, 256)).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(bild.size(), QSize(256, 256));
    EXPECT_EQ(qAlpha(bild.pixel(0, 0)), 0); // rounded corner
    EXPECT_EQ(bild.pixelColor(128, 20), QColor(Qt::white)); // the white tile
    const QRect auge(20, 40, 216, 176);
    for (int ton : { 48, 135, 208, 268, 323 })
        EXPECT_GT(zaehle(bild, auge, farbton(ton, 12)), 200) << "hue " << ton;

    const QImage klein = symbol.pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(klein.size(), QSize(16, 16));
}
