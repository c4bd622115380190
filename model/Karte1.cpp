// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One tile: its shape and reveal label as plain state.
#include "Karte1.h"

#include "Spielablauf.h"

TKarten::TKarten(TSpielablauf& spiel)
    : Spiel(&spiel)
{
    Form.Shape = stRoundRect;
    Form.Width = 50;
    Form.Height = 50;
    Form.Visible = false;
    Hinweis.Color = clWhite;
}

void TKarten::Zuruecksetzen()
{
    Form.Shape = stRoundRect;
    Form.Width = 75;
    Form.Height = 75;
    Form.Visible = false;
}

void TKarten::Platzieren(std::int32_t x, std::int32_t y)
{
    Form.Left = x;
    Form.Top = y;
    Hinweis.Left = x + 10;
    Hinweis.Top = y + Form.Height / 2;
}

void TKarten::SetzeFarbe(TColor f)
{
    Farbe = f;
    Form.BrushColor = f;
    Hinweis.Caption = Form.BrushColor == Spiel->Zielfarbe ? "true" : "false";
    Hinweis.Visible = Spiel->Verraten && Form.Visible;
}

void TKarten::KarteMouseDown()
{
    if (!Form.Visible)
        return;
    Getroffen = 1;
    Spiel->Schuss();
}
