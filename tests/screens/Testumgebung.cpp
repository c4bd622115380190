// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Test environment of the screen tests.
#include "Testumgebung.h"

#include "Application.h"
#include "AviWriter.h"
#include "Colors.h"
#include "Colorschiessen1.h"
#include "DesktopWindow.h"
#include "Farbenschiessen1.h"
#include "Gewonnen1.h"
#include "Naechsterspieler1.h"
#include "Programmstart.h"
#include "QtTestMain.h"
#include "Tintariumstart1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWindow>

#include "Form.h"

#include <stdexcept>

Testordner::Testordner()
    : Testordner(Inhalt {})
{
}

Testordner::Testordner(const Inhalt& inhalt)
    : m_vorher(QDir::currentPath())
{
    if (!m_ordner.isValid())
        throw std::runtime_error("no temporary folder");
    if (inhalt.uhrAvi) {
        AviClip clip = AviClip::plain(20, 20, inhalt.uhrBilder, inhalt.mikrosekundenProBild);
        writeAvi(pfad(QStringLiteral("TintariumUhr.avi")).toStdString(), clip);
    }
    if (inhalt.uhrBmp) {
        QImage bild(SegmentKante, SegmentKante, QImage::Format_RGB32);
        bild.fill(segmentFarbe());
        for (int y = 0; y < SegmentKante; ++y)
            for (int x = 0; x < SegmentKante / 3; ++x)
                bild.setPixelColor(x, y, transparentFarbe());
        bild.save(pfad(QStringLiteral("TintariumUhr.bmp")), "BMP");
    }
    if (inhalt.anleitung)
        schreiben(QStringLiteral("Tintarium.rtf"), "{\\rtf1\\ansi Erste Fassung der Anleitung.\\par}");
    QDir::setCurrent(m_ordner.path());
}

Testordner::~Testordner()
{
    QDir::setCurrent(m_vorher);
}

QString Testordner::pfad(const QString& name) const
{
    return m_ordner.filePath(name);
}

void Testordner::schreiben(const QString& name, const QByteArray& inhalt) const
{
    QFile datei(pfad(name));
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    datei.write(inhalt);
}

Fehlerfaenger::Fehlerfaenger()
{
    TApplication::instance()->setErrorBoxHandler([this](const QString& caption, const QString& text) {
        titel.append(caption);
        meldungen.append(text);
    });
}

Fehlerfaenger::~Fehlerfaenger()
{
    installPrintingErrorBox();
}

Bildschirme::Bildschirme()
{
    try {
        FormErzeugen(TintariumStart);
        FormErzeugen(FarbenSchiessen);
        FormErzeugen(ColorSchiessen);
        FormErzeugen(Gewonnen);
        FormErzeugen(NaechsterSpieler);
    } catch (...) {
        TApplication::instance()->destroyForms();
        throw;
    }
}

Bildschirme::~Bildschirme()
{
    TApplication::instance()->destroyForms();
}

void ereignisseVerarbeiten()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QColor pixel(const QImage& bild, int x, int y)
{
    return bild.pixelColor(x, y);
}

QColor qFarbe(TColor farbe)
{
    return toQColor(farbe);
}

namespace {

QWindow* fensterVon(QWidget* widget, QPoint& stelle)
{
    QWidget* oben = widget->window();
    stelle = widget->mapTo(oben, stelle);
    oben->show();
    return oben->windowHandle();
}

} // namespace

void mausKlick(QWidget* widget, QPoint stelle, Qt::MouseButton taste)
{
    QWindow* fenster = fensterVon(widget, stelle);
    QTest::mousePress(fenster, taste, Qt::NoModifier, stelle);
    QTest::mouseRelease(fenster, taste, Qt::NoModifier, stelle);
}

QWidget* obersterBildschirm()
{
    QWidget* fenster = TApplication::instance()->desktopWindow();
    // A point of the header picture, which every screen covers.
    QWidget* w = fenster->childAt(400, 20);
    while (w && !qobject_cast<TForm*>(w))
        w = w->parentWidget();
    return w;
}
