// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One player's board: frame, title bar and hit marks as plain state.
#include "Spieler1.h"

#include "Konfiguration1.h"
#include "Spielansicht.h"

namespace {
constexpr std::int32_t RahmenLinks = 513;
constexpr std::int32_t RahmenBreite = 272;
constexpr std::int32_t RahmenHoehe = 120;
constexpr std::int32_t TitelrahmenHoehe = 27;
constexpr std::int32_t Markengroesse = 25;
} // namespace

TSpieler::TSpieler(std::int32_t nummer, const TKonfiguration& konfiguration, TSpielansicht& ansicht)
    : Nummer(nummer)
    , Ansicht(&ansicht)
{
    // Only two names exist; any other number gets an empty name.
    const std::string name = nummer >= 0 && nummer < static_cast<std::int32_t>(konfiguration.SpielerNamen.size())
        ? konfiguration.SpielerNamen[static_cast<std::size_t>(nummer)]
        : std::string();

    Rahmen.Left = RahmenLinks;
    Rahmen.Height = RahmenHoehe;
    Rahmen.Top = Nummer * (Rahmen.Height + 10) + 50;
    Rahmen.Width = RahmenBreite;
    Rahmen.Color = clBtnFace;
    Rahmen.Caption = name;

    Titelrahmen.Left = Rahmen.Left;
    Titelrahmen.Top = Rahmen.Top;
    Titelrahmen.Width = Rahmen.Width;
    Titelrahmen.Height = TitelrahmenHoehe;
    Titelrahmen.Color = clBtnFace;

    Titel.Left = 2;
    Titel.Width = Titelrahmen.Width - 4;
    Titel.Top = 7;
    Titel.Height = Titelrahmen.Height - 9;
    Titel.Color = clTitelblau;
    Titel.FontColor = clWhite;
    Titel.Caption = name;

    // Marks fill rows left to right; a mark whose right edge would reach the
    // last 10 pixels of the frame starts the next row.
    const std::int32_t anzahl = konfiguration.AnzahlKarten > 0 ? konfiguration.AnzahlKarten : 0;
    Treffer.resize(static_cast<std::size_t>(anzahl));
    std::int32_t spalte = 0;
    std::int32_t zeile = 0;
    for (TFigur& marke : Treffer) {
        marke.Visible = false;
        marke.Height = Markengroesse;
        marke.Width = Markengroesse;
        marke.Shape = stRoundRect;
        marke.BrushColor = clBtnFace;
        marke.Left = (marke.Width + 5) * spalte + 10;
        if (marke.Left + marke.Width < Rahmen.Width - 10) {
            ++spalte;
        } else {
            marke.Left = 10;
            spalte = 1;
            ++zeile;
        }
        marke.Top = (marke.Height + 5) * zeile + 40;
    }
}

std::int32_t TSpieler::NeuerTreffer(TColor farbe)
{
    if (AnzahlTreffer < static_cast<std::int32_t>(Treffer.size())) {
        TFigur& marke = Treffer[static_cast<std::size_t>(AnzahlTreffer)];
        marke.Visible = true;
        marke.BrushColor = farbe;
        ++AnzahlTreffer;
    }
    if (AnzahlTreffer < Siegtreffer)
        return 0;
    // The winner screen runs a nested event loop; the board may be gone when
    // it returns, so nothing of it is touched afterwards.
    Ansicht->SiegerZeigen(Nummer);
    return -1;
}
