// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn cycle, the colour draw and the tile field of the game screen.
#include "Spielablauf.h"

#include <algorithm>

#include "Konfiguration1.h"
#include "Level1.h"
#include "Spielansicht.h"

namespace {
// Bounds of a spread for which the colour draw always terminates: with at
// least 4 values a channel there are 64 candidates for 20 places plus the
// target, and the target channels stay within 0..254.
constexpr std::int32_t KleinsteAbweichung = 2;
constexpr std::int32_t GroessteAbweichung = 127;

constexpr std::int32_t Kartengroesse = 75;
constexpr std::int32_t KleinsteKarte = 20;
constexpr std::int32_t Kartenformen = 5; // stRectangle .. stEllipse, never stCircle
} // namespace

TSpielablauf::TSpielablauf(TKonfiguration& konfiguration, TLevel& level, TSpielansicht& ansicht)
    : Konfig(&konfiguration)
    , Stufen(&level)
    , Ansicht(&ansicht)
{
    const std::size_t anzahl = static_cast<std::size_t>(std::max(konfiguration.AnzahlKarten, 0));
    // Tiles keep a pointer to this cycle, so the field is built once and
    // never resized.
    Kartenfeld.reserve(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i)
        Kartenfeld.emplace_back(*this);
    Farbliste.assign(anzahl, KeineFarbe);
    Verfuegbar.assign(anzahl, 0);
}

void TSpielablauf::ZufallStarten(std::uint32_t seed)
{
    Quelle.ZufallStarten(seed);
}

// ---- events ---------------------------------------------------------------

void TSpielablauf::NeuesSpiel()
{
    // A game still running is ended first, so its clock report cannot be
    // taken for a segment of the new game.
    if (SpielLaeuft())
        SpielEnde();

    const std::int32_t spieler = std::clamp(Konfig->AnzahlSpieler, 1, 2);
    Spielerliste.clear();
    for (std::int32_t i = 0; i < spieler; ++i)
        Spielerliste.push_back(std::make_unique<TSpieler>(i, *Konfig, *Ansicht));

    Zielform = 0;
    Stufen->Neustart();
    AktuellerSpieler = 0;
    Spielerwechsel();

    for (TKarten& karte : Kartenfeld)
        karte.Zuruecksetzen();
    KartenAnordnen();
    FarbenZiehen();
    FarbenVerteilen();
    KartenZeigen();

    ZielformZeigen();
    Schussergebnis = -1;
    UhrStart();
    // After Spielerwechsel, so the game screen comes in front of the
    // next-player screen.
    Ansicht->SpielbildschirmZeigen();
}

void TSpielablauf::Schuss()
{
    Schussergebnis = -1;
    auto karte = std::find_if(Kartenfeld.begin(), Kartenfeld.end(), [](const TKarten& k) { return k.Getroffen != 0; });
    if (karte == Kartenfeld.end())
        return;
    karte->Getroffen = 0;
    if (AktuellerSpieler < 1 || AktuellerSpieler > static_cast<std::int32_t>(Spielerliste.size()))
        return; // no game running

    const TColor farbe = karte->Farbe;
    if (farbe == Zielfarbe) {
        TSpieler& spieler = *Spielerliste[static_cast<std::size_t>(AktuellerSpieler - 1)];
        if (spieler.NeuerTreffer(farbe) < 0) {
            Schussergebnis = 1;
            SpielEnde();
            return;
        }
        Ansicht->TonAbspielen(TonRichtig);
        Schussergebnis = 1;
        std::int32_t summe = 0;
        for (const auto& s : Spielerliste)
            summe += s->AnzahlTreffer;
        if (summe % Trefferprostufe == 0)
            Zielform = Stufen->NaechsteStufe();
        FarbenZiehen();
        FarbenVerteilen();
    } else {
        Ansicht->TonAbspielen(TonFalsch);
        Schussergebnis = 0;
        Spielerwechsel();
    }
    KartenZeigen();
    // The clock is still running: the report of the play this cuts short is
    // the one notification the marker makes UhrStop ignore.
    UhrStart();
}

void TSpielablauf::UhrStop()
{
    if (Schussergebnis >= 0) {
        Schussergebnis = -1;
        return;
    }
    if (!SpielLaeuft())
        return;
    if (Uhrsegment >= 0 && Uhrsegment < Uhrsegmente)
        Ansicht->UhrbildSichtbar(Uhrsegment, false);
    ++Uhrsegment;
    if (Uhrsegment >= Stufen->Sichtdauer && !Stufen->VorlageBleibt)
        Ansicht->ZielanzeigeSichtbar(false);
    if (Uhrsegment >= Uhrsegmente)
        NeueRunde();
    else
        Ansicht->UhrAbspielen(UhrErstesBild, UhrLetztesBild, 1);
}

void TSpielablauf::NeueFarbeClick()
{
    if (!SpielLaeuft())
        return;
    Uhrsegment = Uhrsegmente - 1;
    // The stop's notification runs UhrStop, and so NeueRunde, before this
    // returns.
    Ansicht->UhrStoppen();
}

void TSpielablauf::EndeClick()
{
    SpielEnde();
}

void TSpielablauf::KarteMouseDown(int index)
{
    if (index < 0 || index >= AnzahlKartenfeld())
        return;
    Kartenfeld[static_cast<std::size_t>(index)].KarteMouseDown();
}

void TSpielablauf::BossKey()
{
    Verraten = !Verraten;
    for (TKarten& karte : Kartenfeld)
        if (karte.Form.Visible)
            karte.SetzeFarbe(karte.Farbe);
}

// ---- steps of the cycle ---------------------------------------------------

void TSpielablauf::SpielEnde()
{
    Ansicht->TonSchliessen();
    Schussergebnis = 1;
    // The notification this raises at once is ignored and clears the marker.
    Ansicht->UhrStoppen();
    Spielerliste.clear();
    Ansicht->SpielbildschirmSchliessen();
}

void TSpielablauf::Spielerwechsel()
{
    const std::int32_t spieler = static_cast<std::int32_t>(Spielerliste.size());
    if (spieler == 0)
        return;
    ++AktuellerSpieler;
    if (AktuellerSpieler > spieler || AktuellerSpieler < 1)
        AktuellerSpieler = 1;
    if (spieler > 1)
        Ansicht->NaechsterSpielerZeigen(
            Konfig->SpielerNamen[static_cast<std::size_t>(AktuellerSpieler - 1)] + AnDerReihe);
    for (const auto& s : Spielerliste)
        s->Titel.Color = clBtnFace;
    Spielerliste[static_cast<std::size_t>(AktuellerSpieler - 1)]->Titel.Color = clTitelblau;
}

void TSpielablauf::NeueRunde()
{
    Spielerwechsel();
    FarbenVerteilen();
    KartenZeigen();
    UhrStart();
}

void TSpielablauf::UhrStart()
{
    Ansicht->UhrAbspielen(UhrErstesBild, UhrLetztesBild, 1);
    Uhrsegment = 0;
    for (int i = 0; i < Uhrsegmente; ++i)
        Ansicht->UhrbildSichtbar(i, true);
    ZielformZeigen();
}

void TSpielablauf::ZielformZeigen()
{
    static constexpr TShapeType Formen[] = { stCircle, stEllipse, stRectangle, stRoundRect, stSquare };
    if (Zielform >= 0 && Zielform < static_cast<std::int32_t>(std::size(Formen)))
        Ansicht->ZielanzeigeForm(Formen[Zielform]);
    Ansicht->ZielanzeigeSichtbar(true);
}

// ---- colours --------------------------------------------------------------

void TSpielablauf::FarbenZiehen()
{
    const std::int32_t m = std::clamp(Stufen->Abweichung, KleinsteAbweichung, GroessteAbweichung);

    // Channels are drawn red, green, blue, each in its own statement so the
    // order of draws is fixed.
    const std::int32_t rot = Zufall(255 - 2 * m) + m;
    const std::int32_t gruen = Zufall(255 - 2 * m) + m;
    const std::int32_t blau = Zufall(255 - 2 * m) + m;
    Zielfarbe = static_cast<TColor>(rot) | static_cast<TColor>(gruen) << 8 | static_cast<TColor>(blau) << 16;
    Ansicht->ZielanzeigeFarbe(Zielfarbe);
    Ansicht->ZielanzeigeSichtbar(true);

    auto kanal = [&](std::int32_t c) { return static_cast<TColor>((c - m + Zufall(2 * m)) & 0xFF); };
    for (TColor& platz : Farbliste) {
        TColor kandidat;
        do {
            const TColor r = kanal(rot);
            const TColor g = kanal(gruen);
            const TColor b = kanal(blau);
            kandidat = r | g << 8 | b << 16;
            // Every place counts, also those this draw has not reached yet:
            // they still hold the previous draw's colours.
        } while (kandidat == Zielfarbe || std::find(Farbliste.begin(), Farbliste.end(), kandidat) != Farbliste.end());
        platz = kandidat;
    }
}

void TSpielablauf::FarbenVerteilen()
{
    const std::int32_t anzahl = AnzahlKartenfeld();
    std::fill(Verfuegbar.begin(), Verfuegbar.end(), 1);
    for (TKarten& karte : Kartenfeld) {
        std::int32_t a;
        do {
            a = Zufall(anzahl);
        } while (Verfuegbar[static_cast<std::size_t>(a)] == 0);
        --Verfuegbar[static_cast<std::size_t>(a)];
        karte.SetzeFarbe(Farbliste[static_cast<std::size_t>(a)]);
    }
}

// ---- field ----------------------------------------------------------------

void TSpielablauf::KartenAnordnen()
{
    std::int32_t spalte = -1;
    std::int32_t zeile = 0;
    for (TKarten& karte : Kartenfeld) {
        ++spalte;
        if (spalte >= Konfig->KartenProZeile) {
            spalte = 0;
            ++zeile;
        }
        const std::int32_t w = karte.Form.Width;
        const std::int32_t h = karte.Form.Height;
        karte.Platzieren(spalte * (w + 10) + 10, zeile * (h + 10) + 20);
    }
}

void TSpielablauf::KartenVerbergen()
{
    for (TKarten& karte : Kartenfeld) {
        karte.Hinweis.Visible = false;
        karte.Form.Visible = false;
    }
}

void TSpielablauf::KartenZeigen()
{
    const std::int32_t anzahl = AnzahlKartenfeld();
    KartenVerbergen();
    GezeigteKarten.clear();
    bool gesetzt = false;
    // More shown tiles than exist could never be found.
    const std::int32_t sichtbar = std::clamp(Stufen->AnzahlSichtbar, 0, anzahl);
    for (std::int32_t k = 0; k < sichtbar; ++k) {
        std::int32_t a;
        do {
            a = Zufall(anzahl);
        } while (Kartenfeld[static_cast<std::size_t>(a)].Form.Visible);
        TKarten& karte = Kartenfeld[static_cast<std::size_t>(a)];
        if (!gesetzt && Zufall(2) == 0) {
            gesetzt = true;
            karte.SetzeFarbe(Zielfarbe);
        }
        karte.Form.Visible = true;
        if (Verraten)
            karte.Hinweis.Visible = true;
        GezeigteKarten.push_back(a);
    }
    for (TKarten& karte : Kartenfeld) {
        std::int32_t v;
        do {
            v = Zufall(Kartengroesse);
        } while (v < KleinsteKarte);
        karte.Form.Height = v;
        karte.Form.Width = v;
        karte.Form.Shape = static_cast<TShapeType>(Zufall(Kartenformen));
    }
}
