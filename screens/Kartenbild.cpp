// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tile widgets kept in step with the model's tile.
#include "Kartenbild.h"

#include "Abgleich.h"
#include "Karte1.h"
#include "Label.h"
#include "Shape.h"

#include <QString>

TKartenbild::TKartenbild(QWidget* feld, std::function<void()> mouseDown)
    : Form(new TShape(feld))
    , Hinweis(new TLabel(feld))
{
    Form->onMouseDown = std::move(mouseDown);
}

void TKartenbild::Abgleichen(const TKarten& karte)
{
    figurAbgleichen(Form, karte.Form, m_form, m_bekannt);
    m_form = karte.Form;

    const TBeschriftung& h = karte.Hinweis;
    if (!m_bekannt || h.Left != m_hinweis.Left || h.Top != m_hinweis.Top)
        Hinweis->move(h.Left, h.Top);
    if (!m_bekannt || h.Caption != m_hinweis.Caption)
        Hinweis->setCaption(QString::fromStdString(h.Caption));
    if (!m_bekannt || h.Color != m_hinweis.Color)
        Hinweis->setColor(h.Color);
    if (!m_bekannt || h.Visible != m_hinweis.Visible)
        Hinweis->setVisible(h.Visible);
    m_hinweis = h;
    m_bekannt = true;
}
