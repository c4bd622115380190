// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by the screen tests: a private working folder with small media files,
// the five screens built in the program's order, an error box that records
// instead of waiting, and pixel helpers for screens grabbed to images.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

#include "Typen.h"

class QWidget;

// The media the screens read, written into a fresh folder that becomes the
// working directory for the test's lifetime.
class Testordner {
public:
    // Which files to write.
    struct Inhalt {
        bool uhrAvi = true;
        bool uhrBmp = true;
        bool anleitung = true;
        int uhrBilder = 15;
        std::uint32_t mikrosekundenProBild = 2000;
    };
    Testordner();
    explicit Testordner(const Inhalt& inhalt);
    ~Testordner();

    QString pfad(const QString& name) const;
    void schreiben(const QString& name, const QByteArray& inhalt) const;

    // The segment picture: 30 x 30 dark blue with a magenta left third; its
    // bottom-left pixel is magenta, so that third is drawn transparent.
    static constexpr int SegmentKante = 30;
    static QColor segmentFarbe() { return QColor(0, 0, 128); }
    static QColor transparentFarbe() { return QColor(255, 0, 255); }

private:
    QTemporaryDir m_ordner;
    QString m_vorher;
};

// Records the error boxes shown while it lives.
class Fehlerfaenger {
public:
    Fehlerfaenger();
    ~Fehlerfaenger();
    QStringList meldungen;
    QStringList titel;
};

// Builds the five screens as the program's start does (pointers set, fixed
// order) and destroys them in reverse order at the end of the test.
class Bildschirme {
public:
    Bildschirme();
    ~Bildschirme();
};

// Lets the event loop run for a moment (deferred reports, repaints).
void ereignisseVerarbeiten();

// The colour of the pixel at (x, y) of the grabbed widget.
QColor pixel(const QImage& bild, int x, int y);
QColor qFarbe(TColor farbe);

// A press (and release) of `taste` at `stelle` in `widget`'s coordinates,
// delivered to the program's window, which picks the widget under the point
// as for a real mouse.
void mausKlick(QWidget* widget, QPoint stelle, Qt::MouseButton taste = Qt::LeftButton);
// The screen seen at a point of the program's window: the screen whose widget
// lies on top there.
QWidget* obersterBildschirm();
