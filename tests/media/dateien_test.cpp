// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The six files the build writes into the game's folder: the clock clip's
// header at the offsets the game reads and its RIFF structure, decoding by
// the clock widget, the segment picture and its transparent colour, the
// three cues (format, length, level, no clicks) and the instructions in RTF.
// The lookup of the files at run time: the working directory first, then the
// installed data folder. Last, the generator is run again to show that its
// output is reproducible.
#include "Animate.h"
#include "Image.h"
#include "LittleEndianReader.h"
#include "Mediendateien.h"
#include "RtfReader.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

QString pfad(const char* name)
{
    return QDir(QStringLiteral(TINTARIUM_SPIEL_DIR)).filePath(QString::fromLatin1(name));
}

QByteArray lies(const char* name)
{
    QFile f(pfad(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::uint32_t u32(const QByteArray& d, qsizetype at)
{
    return LittleEndianReader(d).u32(std::size_t(at));
}
std::uint16_t u16(const QByteArray& d, qsizetype at)
{
    return LittleEndianReader(d).u16(std::size_t(at));
}

// Finds the chunk `id` among the chunks in d[von, bis); returns its offset.
qsizetype suche(const QByteArray& d, qsizetype von, qsizetype bis, const char* id)
{
    while (von + 8 <= bis) {
        if (d.mid(von, 4) == id)
            return von;
        von += 8 + ((u32(d, von + 4) + 1) & ~1u);
    }
    return -1;
}

} // namespace

TEST(Uhrclip, MainHeaderHoldsTimingFramesAndSizeAtTheOffsetsTheGameReads)
{
    const QByteArray d = lies("TintariumUhr.avi");
    ASSERT_GT(d.size(), 72);
    EXPECT_EQ(d.mid(0, 4), "RIFF");
    EXPECT_EQ(u32(d, 4), static_cast<std::uint32_t>(d.size() - 8));
    EXPECT_EQ(d.mid(8, 4), "AVI ");
    EXPECT_EQ(d.mid(12, 4), "LIST");
    EXPECT_EQ(d.mid(20, 4), "hdrl");
    EXPECT_EQ(d.mid(24, 4), "avih");
    EXPECT_EQ(u32(d, 28), 56u);
    EXPECT_EQ(u32(d, 32), 133333u); // two seconds per segment of 15 frames
    EXPECT_EQ(u32(d, 48), 15u);
    const std::uint32_t breite = u32(d, 64);
    const std::uint32_t hoehe = u32(d, 68);
    // The clock stands at x 4 in its box, left of the segment pictures at
    // x 108, in a space of 85 x 87.
    EXPECT_GE(breite, 60u);
    EXPECT_LE(breite, 85u);
    EXPECT_GE(hoehe, 60u);
    EXPECT_LE(hoehe, 87u);
}

TEST(Uhrclip, StreamFormatFramesAndIndexAgree)
{
    const QByteArray d = lies("TintariumUhr.avi");
    ASSERT_GT(d.size(), 12);
    const qsizetype hdrl = 12;
    const qsizetype strl = suche(d, hdrl + 12, hdrl + 8 + u32(d, hdrl + 4), "LIST");
    ASSERT_GE(strl, 0);
    ASSERT_EQ(d.mid(strl + 8, 4), "strl");
    const qsizetype strh = strl + 12;
    ASSERT_EQ(d.mid(strh, 4), "strh");
    EXPECT_EQ(d.mid(strh + 8, 4), "vids");
    // Rate over scale is the same 7.5 frames per second as the main header.
    EXPECT_NEAR(double(u32(d, strh + 8 + 24)) / u32(d, strh + 8 + 20), 1e6 / 133333.0, 1e-3);
    EXPECT_EQ(u32(d, strh + 8 + 32), 15u);
    const qsizetype strf = strh + 8 + u32(d, strh + 4);
    ASSERT_EQ(d.mid(strf, 4), "strf");
    EXPECT_EQ(u32(d, strf + 8 + 4), u32(d, 64));
    EXPECT_EQ(u32(d, strf + 8 + 8), u32(d, 68));
    EXPECT_EQ(u16(d, strf + 8 + 14), 24);
    EXPECT_EQ(u32(d, strf + 8 + 16), 0u); // BI_RGB

    const qsizetype movi = suche(d, 12 + 8 + u32(d, 16), d.size(), "LIST");
    ASSERT_GE(movi, 0);
    ASSERT_EQ(d.mid(movi + 8, 4), "movi");
    const qsizetype idx1 = suche(d, movi, d.size(), "idx1");
    ASSERT_GE(idx1, 0);
    ASSERT_EQ(u32(d, idx1 + 4), 15u * 16);
    const std::uint32_t rahmen = (u32(d, 64) * 3 + 3) / 4 * 4 * u32(d, 68);
    for (int i = 0; i < 15; ++i) {
        const qsizetype e = idx1 + 8 + 16 * i;
        EXPECT_EQ(d.mid(e, 4), "00db");
        const qsizetype chunk = movi + 8 + u32(d, e + 8);
        ASSERT_LT(chunk + 8 + rahmen, d.size() + 1);
        EXPECT_EQ(d.mid(chunk, 4), "00db") << "frame " << i + 1;
        EXPECT_EQ(u32(d, chunk + 4), rahmen);
        EXPECT_EQ(u32(d, e + 12), rahmen);
    }
}

TEST(Uhrclip, ClockWidgetDecodesOneSweepOfTheHand)
{
    QWidget box;
    TAnimate uhr(&box);
    ASSERT_NO_THROW(uhr.setFileName(pfad("TintariumUhr.avi")));
    ASSERT_EQ(uhr.frameCount(), 15);
    EXPECT_EQ(uhr.microsecondsPerFrame(), 133333);
    const QImage erstes = uhr.frame(1);
    ASSERT_EQ(erstes.size(), QSize(84, 84));
    // The hand is the only strongly red-and-blue thing on the dial: at rest
    // (frame 1) it points up, halfway through the sweep (frame 8) down.
    const auto hand = [](const QImage& b, int x, int y) {
        const QColor c = b.pixelColor(x, y);
        return c.red() > 120 && c.blue() > 40 && c.green() < 60;
    };
    EXPECT_TRUE(hand(erstes, 42, 22));
    EXPECT_FALSE(hand(erstes, 42, 62));
    const QImage mitte = uhr.frame(8);
    EXPECT_FALSE(hand(mitte, 42, 22));
    EXPECT_TRUE(hand(mitte, 46, 62)); // 168 degrees past the top
    for (int n = 2; n <= 15; ++n)
        EXPECT_NE(uhr.frame(n), uhr.frame(n - 1)) << "frame " << n;
}

TEST(Segmentbild, IsABottomUpTrueColourBitmapWithMagentaBottomLeft)
{
    const QByteArray d = lies("TintariumUhr.bmp");
    ASSERT_GE(d.size(), 54);
    EXPECT_EQ(d.mid(0, 2), "BM");
    EXPECT_EQ(u32(d, 2), static_cast<std::uint32_t>(d.size()));
    EXPECT_EQ(u32(d, 14), 40u);
    const auto breite = static_cast<std::int32_t>(u32(d, 18));
    const auto hoehe = static_cast<std::int32_t>(u32(d, 22));
    EXPECT_GT(hoehe, 0); // bottom-up: the first stored row is the bottom one
    // The six pictures stand 35 pixels apart.
    EXPECT_GE(breite, 20);
    EXPECT_LE(breite, 34);
    EXPECT_LE(hoehe, 34);
    EXPECT_EQ(u16(d, 28), 24);
    EXPECT_EQ(u32(d, 30), 0u);
    const qsizetype erstes = u32(d, 10);
    // Bottom-left pixel, stored blue, green, red.
    EXPECT_EQ(static_cast<unsigned char>(d[erstes]), 255);
    EXPECT_EQ(static_cast<unsigned char>(d[erstes + 1]), 0);
    EXPECT_EQ(static_cast<unsigned char>(d[erstes + 2]), 255);
}

TEST(Segmentbild, ShowsTheBoxThroughItsMagentaInATransparentPicture)
{
    QWidget box;
    box.resize(60, 60);
    box.setAutoFillBackground(true);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    box.setPalette(palette);
    TImage bild(&box);
    bild.setGeometry(10, 10, 40, 40);
    ASSERT_NO_THROW(bild.loadFromFile(pfad("TintariumUhr.bmp")));
    bild.setTransparent(true);
    const QSize groesse = bild.picture().size();

    const QImage zu = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor gruen(0, 200, 0);
    EXPECT_EQ(zu.pixelColor(10, 10 + groesse.height() - 1), gruen); // bottom-left corner
    EXPECT_EQ(zu.pixelColor(10 + groesse.width() - 1, 10), gruen); // top-right corner
    const QColor mitte = zu.pixelColor(10 + groesse.width() / 2, 10 + groesse.height() / 2);
    EXPECT_GT(mitte.blue(), mitte.red() + 60); // the blue dot
    int magenta = 0;
    for (int y = 0; y < zu.height(); ++y)
        for (int x = 0; x < zu.width(); ++x) {
            const QColor c = zu.pixelColor(x, y);
            if (c.red() > 200 && c.blue() > 200 && c.green() < 60)
                ++magenta;
        }
    EXPECT_EQ(magenta, 0);
}

namespace {

struct Ton {
    SF_INFO info {};
    std::vector<double> proben;
};

Ton ladeTon(const char* name)
{
    Ton t;
    SNDFILE* f = sf_open(pfad(name).toLocal8Bit().constData(), SFM_READ, &t.info);
    if (!f)
        return t;
    t.proben.resize(static_cast<size_t>(t.info.frames * t.info.channels));
    t.proben.resize(static_cast<size_t>(sf_read_double(f, t.proben.data(), sf_count_t(t.proben.size()))));
    sf_close(f);
    return t;
}

// Zero crossings per second: a rough measure of pitch.
double nulldurchgaenge(const Ton& t)
{
    int n = 0;
    for (size_t i = 1; i < t.proben.size(); ++i)
        if ((t.proben[i - 1] < 0) != (t.proben[i] < 0))
            ++n;
    return n * double(t.info.samplerate) / double(t.proben.size());
}

void pruefeTon(const char* name, double minSekunden, double maxSekunden)
{
    SCOPED_TRACE(name);
    const Ton t = ladeTon(name);
    ASSERT_FALSE(t.proben.empty());
    EXPECT_EQ(t.info.samplerate, 44100);
    EXPECT_EQ(t.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const double sekunden = double(t.info.frames) / t.info.samplerate;
    EXPECT_GE(sekunden, minSekunden);
    EXPECT_LE(sekunden, maxSekunden);
    double spitze = 0;
    double quadrate = 0;
    double sprung = 0;
    for (size_t i = 0; i < t.proben.size(); ++i) {
        spitze = std::max(spitze, std::abs(t.proben[i]));
        quadrate += t.proben[i] * t.proben[i];
        if (i > 0)
            sprung = std::max(sprung, std::abs(t.proben[i] - t.proben[i - 1]));
    }
    EXPECT_LT(spitze, 0.95); // head room, no clipping
    EXPECT_GT(spitze, 0.5); // clearly audible
    EXPECT_GT(std::sqrt(quadrate / double(t.proben.size())), 0.05);
    EXPECT_LT(sprung, 0.35); // no clicks within
    EXPECT_LT(std::abs(t.proben.front()), 0.01); // nor at either end
    EXPECT_LT(std::abs(t.proben.back()), 0.01);
}

} // namespace

TEST(Klaenge, ThreeShortCleanCues)
{
    pruefeTon("TintariumRichtig.wav", 0.3, 0.8);
    pruefeTon("TintariumFalsch.wav", 0.3, 0.8);
    pruefeTon("TintariumGewonnen.wav", 1.0, 2.0);
}

TEST(Klaenge, HitSoundsHigherThanMiss)
{
    const Ton richtig = ladeTon("TintariumRichtig.wav");
    const Ton falsch = ladeTon("TintariumFalsch.wav");
    ASSERT_FALSE(richtig.proben.empty());
    ASSERT_FALSE(falsch.proben.empty());
    EXPECT_GT(nulldurchgaenge(richtig), 3 * nulldurchgaenge(falsch));
}

TEST(Anleitung, IsSevenBitRtfInTheCentralEuropeanCodePage)
{
    const QByteArray d = lies("Tintarium.rtf");
    ASSERT_TRUE(d.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(d.contains("\\fcharset238"));
    EXPECT_TRUE(d.contains("\\'f5")); // ő
    EXPECT_TRUE(d.contains("\\'fb")); // ű
    for (char c : d)
        ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0);
}

TEST(Anleitung, ReadsWithHungarianLettersIntact)
{
    QTextDocument dokument;
    ASSERT_TRUE(RtfReader::read(lies("Tintarium.rtf"), dokument));
    const QString text = dokument.toPlainText();
    for (const char* wort : { "Hátralévő idő", "gyűjt össze 16 találatot", "Nagyon könnyű", "Tovább", "Vissza",
             "első szegmense után eltűnik", "Ton aus" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(wort))) << wort;
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
}

namespace {

// Runs the generator in `modus` into a fresh folder and compares each file
// with the one the build wrote into `bisher`.
void gleicheAusgabe(const char* modus, const QString& bisher, const QStringList& namen)
{
    SCOPED_TRACE(modus);
    QTemporaryDir ziel;
    ASSERT_TRUE(ziel.isValid());
    QProcess generator;
    generator.start(QStringLiteral(TINTARIUM_MEDIENGENERATOR), { QString::fromLatin1(modus), ziel.path() });
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    for (const QString& name : namen) {
        QFile neu(QDir(ziel.path()).filePath(name));
        QFile alt(QDir(bisher).filePath(name));
        ASSERT_TRUE(neu.open(QIODevice::ReadOnly)) << name.toStdString();
        ASSERT_TRUE(alt.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(neu.readAll(), alt.readAll()) << name.toStdString();
    }
}

} // namespace

// The working directory wins; the data folder fills in; a file in neither is
// named plainly, so its message reads as it always did. The program in the
// build tree has no installed data folder, so it reads only its working
// directory.
TEST(Mediendatei, WorkingDirectoryFirstThenTheDataFolderElseThePlainName)
{
    QTemporaryDir arbeit;
    QTemporaryDir daten;
    ASSERT_TRUE(arbeit.isValid() && daten.isValid());
    for (const char* name : { "Tintarium.rtf", "TintariumUhr.avi" }) {
        QFile f(daten.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile eigene(arbeit.filePath(QStringLiteral("Tintarium.rtf")));
    ASSERT_TRUE(eigene.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(arbeit.path()).mkdir(QStringLiteral("TintariumUhr.bmp")));

    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(arbeit.path()));
    EXPECT_EQ(Mediendatei(QStringLiteral("Tintarium.rtf"), daten.path()), QStringLiteral("Tintarium.rtf"));
    EXPECT_EQ(Mediendatei(QStringLiteral("TintariumUhr.avi"), daten.path()),
        daten.filePath(QStringLiteral("TintariumUhr.avi")));
    EXPECT_EQ(Mediendatei(QStringLiteral("TintariumUhr.bmp"), daten.path()), QStringLiteral("TintariumUhr.bmp"));
    EXPECT_EQ(Mediendatei(QStringLiteral("TintariumFalsch.wav"), daten.path()), QStringLiteral("TintariumFalsch.wav"));
    EXPECT_EQ(Mediendatei(QStringLiteral("TintariumUhr.avi")), QStringLiteral("TintariumUhr.avi"));
    QDir::setCurrent(vorher);
}

TEST(Generator, WritesTheSameBytesOnEveryRun)
{
    gleicheAusgabe("dateien", QStringLiteral(TINTARIUM_SPIEL_DIR),
        { "Tintarium.rtf", "TintariumUhr.avi", "TintariumUhr.bmp", "TintariumRichtig.wav", "TintariumFalsch.wav",
            "TintariumGewonnen.wav" });
    gleicheAusgabe("bilder", QStringLiteral(TINTARIUM_BILDER_DIR),
        { "Titelbild.png", "TitelbildOhneMotto.png", "Kartenbild.png", "Fussleiste.png", "Spielleiste.png",
            "Programmsymbol-16.png", "Programmsymbol-256.png" });
}
