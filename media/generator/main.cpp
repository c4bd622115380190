// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The media generator, run at build time. "bilder DIR" writes the built-in
// pictures and the icon sizes as PNG files; "dateien DIR" writes the six files
// the game reads from its working directory. Output depends only on this
// code and the installed fonts, never on the time or a random seed.
#include "Anleitung.h"
#include "Klaenge.h"
#include "Uhrclip.h"
#include "Zeichnung.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstdio>
#include <stdexcept>

namespace {

void speichereBild(const QImage& bild, const QString& pfad)
{
    if (!bild.save(pfad, "PNG"))
        throw std::runtime_error("cannot write " + pfad.toStdString());
}

void speichereDatei(const QByteArray& inhalt, const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(inhalt) != inhalt.size())
        throw std::runtime_error("cannot write " + pfad.toStdString());
}

void bilder(const QDir& ziel)
{
    speichereBild(Zeichnung::Titelbild(true), ziel.filePath(QStringLiteral("Titelbild.png")));
    speichereBild(Zeichnung::Titelbild(false), ziel.filePath(QStringLiteral("TitelbildOhneMotto.png")));
    speichereBild(Zeichnung::Kartenbild(), ziel.filePath(QStringLiteral("Kartenbild.png")));
    speichereBild(Zeichnung::Fussleiste(), ziel.filePath(QStringLiteral("Fussleiste.png")));
    speichereBild(Zeichnung::Spielleiste(), ziel.filePath(QStringLiteral("Spielleiste.png")));
    speichereBild(Zeichnung::Programmsymbol(256), ziel.filePath(QStringLiteral("Programmsymbol.png")));
    for (int kante : std::array { 16, 24, 32, 48, 64, 128, 256 })
        speichereBild(
            Zeichnung::Programmsymbol(kante), ziel.filePath(QStringLiteral("Programmsymbol-%1.png").arg(kante)));
}

void dateien(const QDir& ziel)
{
    speichereDatei(Anleitung::rtf(), ziel.filePath(QStringLiteral("Tintarium.rtf")));
    speichereDatei(Uhrclip::avi(), ziel.filePath(QStringLiteral("TintariumUhr.avi")));
    speichereDatei(Uhrclip::segmentBmp(), ziel.filePath(QStringLiteral("TintariumUhr.bmp")));
    speichereDatei(Klaenge::wav(Klaenge::Richtig()), ziel.filePath(QStringLiteral("TintariumRichtig.wav")));
    speichereDatei(Klaenge::wav(Klaenge::Falsch()), ziel.filePath(QStringLiteral("TintariumFalsch.wav")));
    speichereDatei(Klaenge::wav(Klaenge::Gewonnen()), ziel.filePath(QStringLiteral("TintariumGewonnen.wav")));
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing text needs a GUI application; the offscreen platform needs no
    // display and renders the same on every machine with the same fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 || (qstrcmp(argv[1], "bilder") != 0 && qstrcmp(argv[1], "dateien") != 0)) {
        std::fprintf(stderr, "usage: %s bilder|dateien DIR\n", argv[0]);
        return 2;
    }
    try {
        const QDir ziel(QString::fromLocal8Bit(argv[2]));
        if (!QDir().mkpath(ziel.path()))
            throw std::runtime_error("cannot create " + ziel.path().toStdString());
        if (qstrcmp(argv[1], "bilder") == 0)
            bilder(ziel);
        else
            dateien(ziel);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
