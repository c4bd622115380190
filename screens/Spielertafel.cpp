// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Board widgets kept in step with the model's board.
#include "Spielertafel.h"

#include "Abgleich.h"
#include "Accessibility.h"
#include "Bausteine.h"
#include "GroupBox.h"
#include "Shape.h"
#include "Spieler1.h"
#include "StaticText.h"

#include <QString>

namespace {

// Place, colour and caption, which frames and titles alike show.
template <class Widget> void kastenAbgleichen(Widget* widget, const TKasten& soll, const TKasten& ist, bool bekannt)
{
    if (!bekannt || !gleicheLage(soll, ist))
        widget->setGeometry(soll.Left, soll.Top, soll.Width, soll.Height);
    if (!bekannt || soll.Color != ist.Color)
        widget->setColor(soll.Color);
    if (!bekannt || soll.Caption != ist.Caption)
        widget->setCaption(QString::fromStdString(soll.Caption));
}

} // namespace

TSpielertafel::TSpielertafel(QWidget* bildschirm, const TSpieler& spieler)
{
    Rahmen = new TGroupBox(bildschirm);
    Titelrahmen = new TGroupBox(bildschirm);
    Titel = new TStaticText(Titelrahmen);
    // The screen's face at 10 points, which is 13 pixels at 96 dpi.
    Titel->setFont(Schrift(13));
    Treffer.reserve(spieler.Treffer.size());
    for (std::size_t i = 0; i < spieler.Treffer.size(); ++i) {
        Treffer.push_back(new TShape(Rahmen));
        Treffer.back()->setAccessibleName(QString::fromUtf8("%1. találat").arg(i + 1));
    }
    Abgleichen(spieler);
    Rahmen->show();
    Titelrahmen->show();
}

TSpielertafel::~TSpielertafel()
{
    for (TShape* marke : Treffer)
        delete marke;
    delete Titel;
    delete Titelrahmen;
    delete Rahmen;
}

void TSpielertafel::Abgleichen(const TSpieler& spieler)
{
    kastenAbgleichen(Rahmen, spieler.Rahmen, m_gezeigt.rahmen, m_bekannt);
    kastenAbgleichen(Titelrahmen, spieler.Titelrahmen, m_gezeigt.titelrahmen, m_bekannt);
    kastenAbgleichen(Titel, spieler.Titel, m_gezeigt.titel, m_bekannt);
    if (!m_bekannt || spieler.Titel.FontColor != m_gezeigt.titel.FontColor)
        Titel->setFontColor(spieler.Titel.FontColor);
    // Read as the player's name, the hits as its value, and whose turn it
    // is, which the title's highlight shows.
    setAccessibleValue(Rahmen, spieler.AnzahlTreffer, TSpieler::Siegtreffer);
    const QString dran = spieler.Titel.Color == clTitelblau ? QString::fromUtf8("következik") : QString();
    if (Rahmen->accessibleDescription() != dran)
        Rahmen->setAccessibleDescription(dran);
    m_gezeigt.rahmen = spieler.Rahmen;
    m_gezeigt.titelrahmen = spieler.Titelrahmen;
    m_gezeigt.titel = spieler.Titel;

    // The model never changes the number of marks of a board.
    m_gezeigt.treffer.resize(Treffer.size());
    for (std::size_t i = 0; i < Treffer.size() && i < spieler.Treffer.size(); ++i) {
        figurAbgleichen(Treffer[i], spieler.Treffer[i], m_gezeigt.treffer[i], m_bekannt);
        m_gezeigt.treffer[i] = spieler.Treffer[i];
    }
    m_bekannt = true;
}
