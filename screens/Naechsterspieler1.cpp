// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The next-player screen's widgets and its one handler. It carries no icon of
// its own: the program's single window already shows the program's icon.
#include "Naechsterspieler1.h"

#include "Bausteine.h"
#include "Bilder.h"
#include "Button.h"
#include "Panel.h"

TNaechsterSpieler* NaechsterSpieler = nullptr;

TNaechsterSpieler::TNaechsterSpieler()
    : TForm(QStringLiteral("NaechsterSpieler"))
{
    NaechsterSpieler = this;
    setAccessibleName(QString::fromUtf8("Következő játékos"));

    Image1 = Bild(this, 0, 0, 816, 302, TitelbildOhneMotto(), TitelbildOhneMottoText());
    Image2 = Bild(this, -8, 553, 816, 48, Fussleiste(), FussleisteText());
    // The caption is set before each showing.
    Spielername = Zeile(this, 257, 258, 517, 30, clBlack, QString());

    Panel1 = new TPanel(this);
    Panel1->setGeometry(-8, 300, 816, 255);
    Image3 = Bild(Panel1, 10, 1, 833, 255, Kartenbild(), KartenbildText());
    Ok = Knopf(Panel1, 200, QStringLiteral("Ok"));
    Ok->onClick = [this] { OkClick(); };
    setDefaultButton(Ok);

    Zentrieren();
}

TNaechsterSpieler::~TNaechsterSpieler()
{
    if (NaechsterSpieler == this)
        NaechsterSpieler = nullptr;
}

void TNaechsterSpieler::OkClick()
{
    Close();
}
