// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The setup screen's widgets, the game objects it owns, and its handlers.
#include "Farbenschiessen1.h"

#include "Accessibility.h"
#include "Application.h"
#include "Bausteine.h"
#include "Bilder.h"
#include "Button.h"
#include "Colorschiessen1.h"
#include "Edit.h"
#include "Fonts.h"
#include "GroupBox.h"
#include "Hardware1.h"
#include "Konfiguration1.h"
#include "Label.h"
#include "Level1.h"
#include "Mediendateien.h"
#include "Panel.h"
#include "RadioGroup.h"
#include "RichEdit.h"
#include "Spielobjekte.h"
#include "StaticText.h"

#include <tuple>

TFarbenSchiessen* FarbenSchiessen = nullptr;

TFarbenSchiessen::TFarbenSchiessen()
    : TForm(QStringLiteral("Farbenschiessen"))
{
    FarbenSchiessen = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QString::fromUtf8("Játékbeállítások"));

    // The widgets in the order of the layout, which is also their stacking order.
    Image1 = Bild(this, 0, 0, 816, 300, Titelbild(), TitelbildText());
    Image2 = Bild(this, 0, 553, 800, 48, Fussleiste(), FussleisteText());

    Panel3 = new TPanel(this);
    Panel3->setGeometry(0, 300, 816, 255);

    TextAnleitung = Rahmen(Panel3, 12, 12, 287, 213);
    TextAnleitung->hide();
    InhaltAnleitung = new TRichEdit(TextAnleitung);
    InhaltAnleitung->setGeometry(8, 27, 273, 166);
    InhaltAnleitung->setColor(clBtnFace);

    GroupBox1 = Rahmen(Panel3, 320, 119, 237, 106);
    GroupBox1->setFont(Schrift(13));
    Label2 = new TLabel(GroupBox1);
    Label2->setAutoSize(false);
    Label2->setGeometry(8, 25, 53, 16);
    Label2->setCaption(QString::fromUtf8("1.játékos"));
    Label3 = new TLabel(GroupBox1);
    Label3->setAutoSize(false);
    Label3->setGeometry(8, 63, 53, 16);
    Label3->setCaption(QString::fromUtf8("2.játékos"));
    Spieler1Name = new TEdit(GroupBox1);
    Spieler1Name->setGeometry(88, 25, 129, 24);
    Spieler1Name->setMaxLength(20);
    Spieler1Name->setText(QString::fromUtf8("1.játékos"));
    Spieler2Name = new TEdit(GroupBox1);
    Spieler2Name->setGeometry(88, 61, 129, 24);
    Spieler2Name->setMaxLength(20);
    Spieler2Name->setText(QString::fromUtf8("2.játékos"));

    Schwierigkeitsstufe = new TRadioGroup(Panel3);
    Schwierigkeitsstufe->setGeometry(575, 21, 128, 204);
    Schwierigkeitsstufe->setItems({ QString::fromUtf8("Nagyon könnyű"), QString::fromUtf8("Könnyű"),
        QString::fromUtf8("Közepes"), QString::fromUtf8("Nehéz"), QString::fromUtf8("Nagyon nehéz") });
    Schwierigkeitsstufe->setItemIndex(0);

    Ende = Knopf(Panel3, 162, QString::fromUtf8("Vége"));
    Ende->onClick = [this] { EndeClick(); };
    Button1 = Knopf(Panel3, 200, QString::fromUtf8("Játék"));
    Button1->onClick = [this] { Button1Click(); };
    setDefaultButton(Button1);

    KAnzahlSpieler = new TRadioGroup(Panel3);
    KAnzahlSpieler->setGeometry(320, 16, 237, 90);
    KAnzahlSpieler->setFont(Schrift(13));
    KAnzahlSpieler->setCaption(QString::fromUtf8("Játékosok száma:"));
    KAnzahlSpieler->setItems({ QString::fromUtf8("1 játékos"), QString::fromUtf8("2 játékos") });
    KAnzahlSpieler->setItemIndex(0);

    TitelAnleitung = Rahmen(Panel3, 12, 5, 287, 26);
    TitelAnleitung->hide();
    StaticText4 = Titelleiste(TitelAnleitung, 2, 7, 283, QStringLiteral(" Spielanleitung"));

    // The three title bars lie over the top edges of the boxes they name.
    std::tie(GroupBox2, StaticText1) = Titelrahmen(Panel3, 320, 5, 237, QString::fromUtf8(" Játékosok száma:"));
    std::tie(GroupBox4, StaticText3) = Titelrahmen(Panel3, 575, 5, 128, QString::fromUtf8(" Nehézségi fok:"));
    std::tie(GroupBox3, StaticText2)
        = Titelrahmen(Panel3, 320, 109, 237, QString::fromUtf8(" Adja meg a játékos nevét!"));
    // What assistive technology names by which caption.
    setAccessibleLabel(Spieler1Name, Label2);
    setAccessibleLabel(Spieler2Name, Label3);
    setAccessibleLabel(KAnzahlSpieler, StaticText1);
    setAccessibleLabel(Schwierigkeitsstufe, StaticText3);
    setAccessibleLabel(GroupBox1, StaticText2);
    setAccessibleLabel(TextAnleitung, StaticText4);
    setAccessibleLabel(InhaltAnleitung, StaticText4);

    Anleitung = Knopf(Panel3, 124, QString::fromUtf8("Útmutató"));
    Anleitung->onClick = [this] { AnleitungClick(); };

    Logo = Rahmen(Panel3, 12, 228, 784, 25);
    Logo->hide();
    Label1 = new TLabel(Logo);
    Label1->setAutoSize(false);
    Label1->setGeometry(2, 7, 780, 16);
    Label1->setColor(clTitelblau);
    Label1->setFontColor(clWhite);
    Label1->setFont(pixelFont(QStringLiteral("Arial"), 12));
    Label1->setCaption(QString::fromUtf8("Tintarium 1.0 · Ein Farbgedächtnisspiel · © 2026 Tintarium-Team"));

    // The sound switch sets caption and enabled state of this button.
    Ton = Knopf(Panel3, 86, QStringLiteral("Ton"));
    Ton->onClick = [this] { TonClick(); };

    setFocusOrder({ Spieler1Name, Spieler2Name, Schwierigkeitsstufe, Ende, Button1, KAnzahlSpieler, InhaltAnleitung,
        Anleitung, Ton });

    Zentrieren();

    // The game objects, in the order in which later code relies on them. A
    // failure part-way leaves nothing behind.
    try {
        Konfiguration = new TKonfiguration();
        Hardware = new THardware(Ton);
        Level = new TLevel();
    } catch (...) {
        SpielobjekteFreigeben();
        throw;
    }
}

TFarbenSchiessen::~TFarbenSchiessen()
{
    SpielobjekteFreigeben();
    if (FarbenSchiessen == this)
        FarbenSchiessen = nullptr;
}

void TFarbenSchiessen::SpielobjekteFreigeben()
{
    delete Hardware;
    Hardware = nullptr;
    delete Konfiguration;
    Konfiguration = nullptr;
    delete Level;
    Level = nullptr;
}

void TFarbenSchiessen::Button1Click()
{
    Konfiguration->SpielerNamen[0] = Spieler1Name->text().toStdString();
    Konfiguration->SpielerNamen[1] = Spieler2Name->text().toStdString();
    Konfiguration->AnzahlSpieler = KAnzahlSpieler->itemIndex() + 1;
    // Only AnzahlSichtbar and VorlageBleibt: the rest of the level record is
    // the game's business.
    Level->SchwierigkeitAnwenden(Schwierigkeitsstufe->itemIndex());
    ColorSchiessen->NeuesSpiel();
}

void TFarbenSchiessen::EndeClick()
{
    TApplication::instance()->terminate();
}

void TFarbenSchiessen::AnleitungClick()
{
    if (!TextAnleitung->isHidden()) {
        TextAnleitung->hide();
        TitelAnleitung->hide();
        Logo->hide();
        return;
    }
    TextAnleitung->show();
    TitelAnleitung->show();
    // A file that cannot be read ends the handler here, with the box open and
    // the credits line still hidden.
    InhaltAnleitung->loadFromFile(Mediendatei(QStringLiteral("Tintarium.rtf")));
    Logo->show();
}

void TFarbenSchiessen::TonClick()
{
    Hardware->Umschalten();
}
