// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game screen's widgets, their binding to the turn cycle, and the
// cycle's view operations.
#include "Colorschiessen1.h"

#include "Accessibility.h"
#include "Animate.h"
#include "Application.h"
#include "Bausteine.h"
#include "Bilder.h"
#include "Button.h"
#include "Gewonnen1.h"
#include "GroupBox.h"
#include "Image.h"
#include "Kartenbild.h"
#include "Kartencursor.h"
#include "Label.h"
#include "MediaPlayer.h"
#include "Mediendateien.h"
#include "Naechsterspieler1.h"
#include "Panel.h"
#include "Shape.h"
#include "Spielablauf.h"
#include "Spielertafel.h"
#include "Spielobjekte.h"
#include "StaticText.h"
#include "Ton.h"
#include "ToolkitError.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <tuple>

TColorSchiessen* ColorSchiessen = nullptr;

TColorSchiessen::TColorSchiessen()
    : TForm(QStringLiteral("FarbenSchiessen"))
{
    ColorSchiessen = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QString::fromUtf8("Játék"));
    WidgetsBauen();

    Zentrieren();
    // The cycle starts with Verraten off, its lists, its tiles and no marker.
    m_spiel = std::make_unique<TSpielablauf>(*Konfiguration, *Level, *this);
    Karten.reserve(m_spiel->Kartenfeld.size());
    for (std::size_t i = 0; i < m_spiel->Kartenfeld.size(); ++i) {
        const int index = static_cast<int>(i);
        Karten.push_back(std::make_unique<TKartenbild>(Feld, [this, index] { KarteMouseDown(index); }));
        Karten.back()->Abgleichen(m_spiel->Kartenfeld[i]);
    }
    std::vector<TShape*> formen;
    for (const auto& karte : Karten)
        formen.push_back(karte->Form);
    Kartencursor = new TKartencursor(this, Feld, formen);
    const auto jetzt = std::chrono::system_clock::now().time_since_epoch();
    m_spiel->ZufallStarten(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(jetzt).count()));

    // Opening the clip sizes the clock to its frames; a clip that cannot be
    // opened ends the creation, and with it the start of the program.
    Uhr->setFileName(Mediendatei(QStringLiteral("TintariumUhr.avi")));
    UhrBilderLaden();
}

TColorSchiessen::~TColorSchiessen()
{
    // The widgets outlive the cycle by a moment: nothing they raise while
    // being taken down may reach it.
    if (Uhr)
        Uhr->onStop = nullptr;
    for (auto& karte : Karten)
        karte->Form->onMouseDown = nullptr;
    Tafeln.clear();
    if (ColorSchiessen == this)
        ColorSchiessen = nullptr;
}

void TColorSchiessen::WidgetsBauen()
{
    Image1 = Bild(this, 0, 0, 816, 48, Spielleiste(), SpielleisteText());
    Image2 = Bild(this, 0, 553, 800, 48, Fussleiste(), FussleisteText());

    // An invisible click area on the footer strip.
    Boss = new TLabel(this);
    Boss->setAutoSize(false);
    Boss->setTransparent(true);
    Boss->setGeometry(32, 570, 33, 17);
    Boss->onClick = [this] { BossKey(); };
    // A secret, not an element.
    setAccessibleIgnored(Boss);

    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 45, 816, 508);

    Feld = Rahmen(Panel1, 8, 5, 502, 484);
    Feld->setAccessibleName(QString::fromUtf8("Játéktér"));

    NeueFarbe = new TButton(Panel1);
    NeueFarbe->setGeometry(618, 456, 75, 24);
    NeueFarbe->setCaption(QString::fromUtf8("Tovább"));
    NeueFarbe->onClick = [this] { NeueFarbeClick(); };
    setDefaultButton(NeueFarbe);

    Ende = new TButton(Panel1);
    Ende->setGeometry(720, 456, 74, 24);
    Ende->setCaption(QStringLiteral("Vissza"));
    Ende->onClick = [this] { EndeClick(); };

    AnzeigeUhr = Rahmen(Panel1, 618, 287, 177, 133);
    Uhr = new TAnimate(AnzeigeUhr);
    Uhr->setGeometry(4, 26, 85, 87);
    Uhr->onStop = [this] { UhrStop(); };
    Uhr->setAccessibleName(QString::fromUtf8("Óra"));

    GroupBox1 = Rahmen(Panel1, 516, 287, 92, 133);
    TonvorlageAnzeige = new TShape(GroupBox1);
    TonvorlageAnzeige->setGeometry(2, 11, 88, 116);
    TonvorlageAnzeige->setShape(stEllipse);
    TonvorlageAnzeige->setAccessibleName(QString::fromUtf8("Célszín"));

    std::tie(GroupBox2, StaticText1) = Titelrahmen(Panel1, 618, 267, 177, QString::fromUtf8(" Hátralévő idő"));
    std::tie(GroupBox3, StaticText2) = Titelrahmen(Panel1, 516, 267, 92, QString::fromUtf8(" Célszín"));
    setAccessibleLabel(AnzeigeUhr, StaticText1);
    setAccessibleLabel(GroupBox1, StaticText2);

    MediaPlayer = new TMediaPlayer(Panel1);
    MediaPlayer->setGeometry(535, 16, 253, 20);
    MediaPlayer->hide();

    setFocusOrder({ NeueFarbe, Ende });
}

void TColorSchiessen::UhrBilderLaden()
{
    int spalte = 0;
    int zeile = 0;
    for (TImage*& bild : UhrBilder) {
        bild = new TImage(AnzeigeUhr);
        bild->loadFromFile(Mediendatei(QStringLiteral("TintariumUhr.bmp")));
        bild->move(spalte * 35 + 108, zeile * 35 + 17);
        // The bitmap's bottom-left colour lets the clock's box show through.
        bild->setTransparent(true);
        bild->setAccessibleName(QString::fromUtf8("Óraszelet"));
        if (++zeile == 3) {
            ++spalte;
            zeile = 0;
        }
    }
    // The clock's box carries the count of the segments left from the start,
    // so that assistive technology knows it has a value before it changes.
    setAccessibleValue(AnzeigeUhr, static_cast<int>(UhrBilder.size()), static_cast<int>(UhrBilder.size()));
}

void TColorSchiessen::Abgleichen()
{
    for (std::size_t i = 0; i < Karten.size(); ++i)
        Karten[i]->Abgleichen(m_spiel->Kartenfeld[i]);

    const auto& liste = m_spiel->Spielerliste;
    if (Tafeln.size() > liste.size())
        Tafeln.resize(liste.size());
    for (std::size_t i = 0; i < liste.size(); ++i) {
        if (i == Tafeln.size())
            Tafeln.push_back(std::make_unique<TSpielertafel>(this, *liste[i]));
        else
            Tafeln[i]->Abgleichen(*liste[i]);
    }
    if (Kartencursor)
        Kartencursor->Abgleichen();
}

void TColorSchiessen::NeuesSpiel()
{
    m_spiel->NeuesSpiel();
    Abgleichen();
}

void TColorSchiessen::KarteMouseDown(int index)
{
    m_spiel->KarteMouseDown(index);
    Abgleichen();
}

void TColorSchiessen::NeueFarbeClick()
{
    m_spiel->NeueFarbeClick();
    Abgleichen();
}

void TColorSchiessen::EndeClick()
{
    m_spiel->EndeClick();
    Abgleichen();
}

void TColorSchiessen::BossKey()
{
    m_spiel->BossKey();
    Abgleichen();
}

void TColorSchiessen::UhrStop()
{
    m_spiel->UhrStop();
    Abgleichen();
}

void TColorSchiessen::ZielanzeigeFarbe(TColor farbe)
{
    if (TonvorlageAnzeige->brushColor() != farbe)
        TonvorlageAnzeige->setBrushColor(farbe);
}

void TColorSchiessen::ZielanzeigeForm(TShapeType form)
{
    if (TonvorlageAnzeige->shape() != form)
        TonvorlageAnzeige->setShape(form);
}

void TColorSchiessen::ZielanzeigeSichtbar(bool sichtbar)
{
    if (TonvorlageAnzeige->isHidden() == sichtbar)
        TonvorlageAnzeige->setVisible(sichtbar);
    // Said of the display's frame, which stays while the colour goes.
    const QString zustand = QString::fromUtf8(sichtbar ? "látható" : "rejtett");
    if (GroupBox1->accessibleDescription() != zustand)
        GroupBox1->setAccessibleDescription(zustand);
}

void TColorSchiessen::UhrbildSichtbar(int index, bool sichtbar)
{
    if (index < 0 || index >= static_cast<int>(UhrBilder.size()))
        return;
    TImage* bild = UhrBilder[static_cast<std::size_t>(index)];
    if (bild->isHidden() == sichtbar)
        bild->setVisible(sichtbar);
    const auto uebrig = std::count_if(UhrBilder.begin(), UhrBilder.end(), [](TImage* b) { return !b->isHidden(); });
    setAccessibleValue(AnzeigeUhr, static_cast<int>(uebrig), static_cast<int>(UhrBilder.size()));
}

void TColorSchiessen::UhrAbspielen(int erstes, int letztes, int anzahl)
{
    Uhr->Play(erstes, letztes, anzahl);
}

void TColorSchiessen::UhrStoppen()
{
    // The clock raises its stop event inside Stop, which runs UhrStop.
    Uhr->Stop();
}

void TColorSchiessen::NaechsterSpielerZeigen(const std::string& text)
{
    NaechsterSpieler->Spielername->setCaption(QString::fromStdString(text));
    NaechsterSpieler->Show();
}

void TColorSchiessen::TonAbspielen(const std::string& datei)
{
    ::TonAbspielen(*MediaPlayer, QString::fromStdString(datei));
}

void TColorSchiessen::TonSchliessen()
{
    ::TonSchliessen(*MediaPlayer);
}

void TColorSchiessen::SpielbildschirmZeigen()
{
    Abgleichen();
    Show();
}

void TColorSchiessen::SpielbildschirmSchliessen()
{
    Close();
}

void TColorSchiessen::SiegerZeigen(int nummer)
{
    // The winning mark is recorded by now; it is seen behind the winner screen.
    Abgleichen();
    try {
        Gewonnen->SiegerZeigen(nummer);
    } catch (const EToolkitError& fehler) {
        // The cycle goes on as if the screen had been closed; the error is
        // shown once the event is over.
        TApplication::instance()->reportAfterEvent(fehler.text());
    }
}
