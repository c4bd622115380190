// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start screen's widgets and its one handler.
#include "Tintariumstart1.h"

#include "Bausteine.h"
#include "Bilder.h"
#include "Button.h"
#include "Farbenschiessen1.h"
#include "Panel.h"

TTintariumStart* TintariumStart = nullptr;

TTintariumStart::TTintariumStart()
    : TForm(QStringLiteral("Tintarium"))
{
    // Reachable through its pointer from here on, as every screen is while it
    // is being built.
    TintariumStart = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QStringLiteral("Tintarium"));

    Image2 = Bild(this, 0, 553, 816, 48, Fussleiste(), FussleisteText());
    Image1 = Bild(this, 0, 0, 816, 302, Titelbild(), TitelbildText());

    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 300, 816, 255);
    Image3 = Bild(Panel1, 10, 1, 833, 255, Kartenbild(), KartenbildText());
    Ok = Knopf(Panel1, 200, QStringLiteral("Start"));
    Ok->onClick = [this] { OkClick(); };
    setDefaultButton(Ok);

    Zentrieren();
}

TTintariumStart::~TTintariumStart()
{
    if (TintariumStart == this)
        TintariumStart = nullptr;
}

void TTintariumStart::OkClick()
{
    FarbenSchiessen->Show();
}
