// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The builders of widgets that several screens lay out alike.
#include "Bausteine.h"

#include "Button.h"
#include "Fonts.h"
#include "GroupBox.h"
#include "Image.h"
#include "Label.h"
#include "StaticText.h"

#include <QImage>
#include <QString>

QFont Schrift(int pixel)
{
    return pixelFont(QStringLiteral("MS Sans Serif"), pixel);
}

TImage* Bild(QWidget* parent, int left, int top, int width, int height, const QImage& picture, const QString& name)
{
    auto* bild = new TImage(parent);
    bild->setGeometry(left, top, width, height);
    bild->setPicture(picture);
    bild->setAccessibleName(name);
    return bild;
}

TGroupBox* Rahmen(QWidget* parent, int left, int top, int width, int height)
{
    auto* box = new TGroupBox(parent);
    box->setGeometry(left, top, width, height);
    return box;
}

TStaticText* Titelleiste(QWidget* parent, int left, int top, int width, const QString& text)
{
    auto* titel = new TStaticText(parent);
    titel->setGeometry(left, top, width, 17);
    titel->setCaption(text);
    titel->setColor(clTitelblau);
    titel->setFontColor(clWhite);
    titel->setFont(Schrift(13));
    return titel;
}

std::pair<TGroupBox*, TStaticText*> Titelrahmen(QWidget* parent, int left, int top, int width, const QString& text)
{
    TGroupBox* rahmen = Rahmen(parent, left, top, width, 27);
    TStaticText* leiste = Titelleiste(rahmen, 2, 8, width - 4, text);
    rahmen->dockBottom(leiste);
    return { rahmen, leiste };
}

TButton* Knopf(QWidget* parent, int top, const QString& text)
{
    auto* knopf = new TButton(parent);
    knopf->setGeometry(720, top, 75, 25);
    knopf->setCaption(text);
    return knopf;
}

TLabel* Zeile(QWidget* parent, int left, int top, int width, int height, TColor farbe, const QString& text)
{
    auto* zeile = new TLabel(parent);
    zeile->setAutoSize(false);
    zeile->setGeometry(left, top, width, height);
    zeile->setWordWrap(true);
    zeile->setFont(Schrift(24));
    zeile->setFontColor(farbe);
    zeile->setCaption(text);
    return zeile;
}
