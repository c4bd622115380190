// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The winner screen's widgets, its showing and its "Ok".
#include "Gewonnen1.h"

#include "Bausteine.h"
#include "Bilder.h"
#include "Button.h"
#include "Konfiguration1.h"
#include "Label.h"
#include "MediaPlayer.h"
#include "Panel.h"
#include "Spielobjekte.h"
#include "Ton.h"

TGewonnen* Gewonnen = nullptr;

TGewonnen::TGewonnen()
    : TForm(QStringLiteral("Gewonnen"))
{
    Gewonnen = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QString::fromUtf8("Győztes"));

    Image1 = Bild(this, 0, 0, 816, 300, Titelbild(), TitelbildText());
    Image2 = Bild(this, 0, 553, 816, 48, Fussleiste(), FussleisteText());

    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 300, 816, 255);

    Panel2 = new TPanel(Panel1);
    Panel2->setGeometry(158, 37, 438, 145);
    Panel2->setBevelInner(true);
    Panel2->setBorderSingle(true);
    Panel2->setColor(clPanelgrau);

    // The three lines of the grey box, each centred; the winner's name is set
    // before each showing.
    Label1 = Zeile(Panel2, 20, 12, 398, 40, clBlue, QString::fromUtf8("Gratulálunk! "));
    Label6 = Zeile(Panel2, 21, 51, 394, 40, clRed, QString());
    Label3 = Zeile(Panel2, 20, 92, 394, 40, clBlue, QString::fromUtf8("Ön megnyerte a játékot!"));
    for (TLabel* zeile : { Label1, Label6, Label3 })
        zeile->setCentered(true);

    Ok = Knopf(Panel1, 200, QStringLiteral("Ok"));
    Ok->onClick = [this] { OkClick(); };

    MediaPlayer = new TMediaPlayer(this);
    MediaPlayer->setGeometry(200, 16, 253, 20);
    MediaPlayer->hide();

    Zentrieren();
}

TGewonnen::~TGewonnen()
{
    if (Gewonnen == this)
        Gewonnen = nullptr;
}

void TGewonnen::SiegerZeigen(int nummer)
{
    Label6->setCaption(QString::fromStdString(Konfiguration->SpielerNamen[static_cast<std::size_t>(nummer)]));
    // The grey box is read as the one message it shows.
    Panel2->setAccessibleName(Label1->caption().trimmed() + u' ' + Label6->caption() + u' ' + Label3->caption());
    // A cue file that cannot be opened is reported once this event is over;
    // the screen is shown all the same, silently.
    TonAbspielen(*MediaPlayer, QStringLiteral("TintariumGewonnen.wav"));
    ShowModal();
}

void TGewonnen::OkClick()
{
    TonSchliessen(*MediaPlayer);
    Close();
}
