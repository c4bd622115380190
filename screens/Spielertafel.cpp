// Board widgets kept in step with the model's board.
#include "Spielertafel.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "GroupBox.h"
#include "Shape.h"
#include "Spieler1.h"
#include "StaticText.h"

#include <QString>

namespace {

bool gleicheLage(const TKasten& a, const TKasten& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

bool gleicheLage(const TFigur& a, const TFigur& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

void rahmenAbgleichen(TGroupBox* box, const TKasten& soll, const TKasten& ist, bool bekannt)
{
    if (!bekannt || !gleicheLage(soll, ist))
        box->setGeometry(soll.Left, soll.Top, soll.Width, soll.Height);
    if (!bekannt || soll.Color != ist.Color)
        box->setColor(soll.Color);
    if (!bekannt || soll.Caption != ist.Caption)
        box->setCaption(QString::fromStdString(soll.Caption));
}

} // namespace

TSpielertafel::TSpielertafel(QWidget* bildschirm, const TSpieler& spieler)
{
    Rahmen = new TGroupBox(bildschirm);
    Titelrahmen = new TGroupBox(bildschirm);
    Titel = new TStaticText(Titelrahmen);
    // The screen's face at 10 points, which is 13 pixels at 96 dpi.
    Titel->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13));
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
    rahmenAbgleichen(Rahmen, spieler.Rahmen, m_gezeigt.rahmen, m_bekannt);
    rahmenAbgleichen(Titelrahmen, spieler.Titelrahmen, m_gezeigt.titelrahmen, m_bekannt);

    const TKasten& t = spieler.Titel;
    const TKasten& tAlt = m_gezeigt.titel;
    if (!m_bekannt || !gleicheLage(t, tAlt))
        Titel->setGeometry(t.Left, t.Top, t.Width, t.Height);
    if (!m_bekannt || t.Color != tAlt.Color)
        Titel->setColor(t.Color);
    if (!m_bekannt || t.FontColor != tAlt.FontColor)
        Titel->setFontColor(t.FontColor);
    if (!m_bekannt || t.Caption != tAlt.Caption)
        Titel->setCaption(QString::fromStdString(t.Caption));
    // Read as the player's name, the hits as its value, and whose turn it
    // is, which the title's highlight shows.
    setAccessibleValue(Rahmen, spieler.AnzahlTreffer, TSpieler::Siegtreffer);
    const QString dran = t.Color == clTitelblau ? QString::fromUtf8("következik") : QString();
    if (Rahmen->accessibleDescription() != dran)
        Rahmen->setAccessibleDescription(dran);
    m_gezeigt.rahmen = spieler.Rahmen;
    m_gezeigt.titelrahmen = spieler.Titelrahmen;
    m_gezeigt.titel = t;

    // The model never changes the number of marks of a board.
    m_gezeigt.treffer.resize(Treffer.size());
    for (std::size_t i = 0; i < Treffer.size() && i < spieler.Treffer.size(); ++i) {
        const TFigur& soll = spieler.Treffer[i];
        TFigur& ist = m_gezeigt.treffer[i];
        TShape* marke = Treffer[i];
        if (!m_bekannt || soll.Shape != ist.Shape)
            marke->setShape(soll.Shape);
        if (!m_bekannt || !gleicheLage(soll, ist))
            marke->setGeometry(soll.Left, soll.Top, soll.Width, soll.Height);
        if (!m_bekannt || soll.BrushColor != ist.BrushColor)
            marke->setBrushColor(soll.BrushColor);
        if (!m_bekannt || soll.Visible != ist.Visible)
            marke->setVisible(soll.Visible);
        ist = soll;
    }
    m_bekannt = true;
}
