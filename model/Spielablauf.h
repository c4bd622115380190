// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn cycle of the game screen: starts a game, runs each turn against a
// clock of six segments, evaluates shots, passes the turn, advances the level
// every five hits in total and ends the game at a sixteenth hit or on the back
// button. It also owns the tile field, the colour draw and the random source.
//
// How the game screen uses it:
//  - It implements TSpielansicht, constructs one TSpielablauf on the settings,
//    the level record and itself, creates its tile widgets from Kartenfeld and
//    calls ZufallStarten(seconds since 1970) once.
//  - Its event handlers call NeuesSpiel (setup screen's play button),
//    KarteMouseDown(index) (mouse-down on a tile's shape), UhrStop (the clock's
//    stopped notification), NeueFarbeClick (skip), EndeClick (back) and
//    BossKey (the hidden reveal label).
//  - After each of those calls returns, and at the start of SiegerZeigen
//    (the winning mark is recorded by then), it copies the public state into
//    its widgets: every tile's Form and Hinweis, and every board of
//    Spielerliste (Rahmen, Titelrahmen, Titel, Treffer). Boards come and go
//    with NeuesSpiel and SpielEnde; an empty Spielerliste means no game. The
//    target display and the clock pictures are driven through the view calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Karte1.h"
#include "Spieler1.h"
#include "Typen.h"
#include "Zufallsquelle.h"

class TKonfiguration;
class TLevel;
class TSpielansicht;

class TSpielablauf {
public:
    static constexpr std::int32_t Uhrsegmente = 6;
    // The level advances whenever the hits of all players reach a multiple.
    static constexpr std::int32_t Trefferprostufe = 5;
    static constexpr int UhrErstesBild = 1;
    static constexpr int UhrLetztesBild = 15;
    static constexpr const char* TonRichtig = "TintariumRichtig.wav";
    static constexpr const char* TonFalsch = "TintariumFalsch.wav";
    static constexpr const char* AnDerReihe = " ist an der Reihe ";
    // What the places of Farbliste hold before the first draw: no drawable
    // colour has a non-zero high byte.
    static constexpr TColor KeineFarbe = 0xFF000000;

    // Builds AnzahlKarten tiles (the count is fixed from here on), an unfilled
    // distractor list and Verraten off. The references must outlive the cycle.
    TSpielablauf(TKonfiguration& konfiguration, TLevel& level, TSpielansicht& ansicht);
    TSpielablauf(const TSpielablauf&) = delete;
    TSpielablauf& operator=(const TSpielablauf&) = delete;

    // Events.
    void NeuesSpiel();
    void Schuss();
    void UhrStop();
    void NeueFarbeClick();
    void EndeClick();
    // Mouse-down on tile `index`; an index outside the field is ignored.
    void KarteMouseDown(int index);
    void BossKey();

    // Steps of the cycle.
    void SpielEnde();
    void Spielerwechsel();
    void NeueRunde();
    void UhrStart();
    void ZielformZeigen();

    // Colours and field.
    void FarbenZiehen();
    void FarbenVerteilen();
    void KartenAnordnen();
    void KartenVerbergen();
    void KartenZeigen();

    void ZufallStarten(std::uint32_t seed);

    // True from NeuesSpiel to SpielEnde.
    bool SpielLaeuft() const { return !Spielerliste.empty(); }

    // Plain state, read by the game screen after every event.
    std::vector<TKarten> Kartenfeld;
    std::vector<TColor> Farbliste;
    std::vector<std::int32_t> Verfuegbar;
    // The target display's fill colour; white until the first draw.
    TColor Zielfarbe = clWhite;
    bool Verraten = false;
    // Shape of the target display: 0 circle, 1 ellipse, 2 rectangle,
    // 3 rounded rectangle, 4 square, anything else leaves it unchanged.
    std::int32_t Zielform = 0;
    // The boards of the running game, indexed by Nummer.
    std::vector<std::unique_ptr<TSpieler>> Spielerliste;
    // 1-based; 0 before the first game.
    std::int32_t AktuellerSpieler = 0;
    // -1 none, 0 after a miss, 1 after a hit or at the end of a game; 0 or 1
    // makes UhrStop ignore the next notification.
    std::int32_t Schussergebnis = -1;
    // Clock segments expired in this turn, 0 to 6.
    std::int32_t Uhrsegment = 0;
    // Tile indexes in the order the last KartenZeigen showed them.
    std::vector<std::int32_t> GezeigteKarten;
    Zufallsquelle Quelle;

private:
    std::int32_t Zufall(std::int32_t n) { return Quelle.Zufall(n); }
    std::int32_t AnzahlKartenfeld() const { return static_cast<std::int32_t>(Kartenfeld.size()); }

    TKonfiguration* Konfig;
    TLevel* Stufen;
    TSpielansicht* Ansicht;
};
