// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn cycle: every row of its state table against the fake screen and
// its clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeAnsicht.h"

namespace {
// A shown tile of the target colour; when the showing placed none, the first
// shown tile is given it, as a coin flip could have.
int ZielKarte(TSpielablauf& s)
{
    for (int i = 0; i < 20; ++i) {
        const TKarten& k = s.Kartenfeld[static_cast<std::size_t>(i)];
        if (k.Form.Visible && k.Farbe == s.Zielfarbe)
            return i;
    }
    const int erste = s.GezeigteKarten.front();
    s.Kartenfeld[static_cast<std::size_t>(erste)].SetzeFarbe(s.Zielfarbe);
    return erste;
}

int FehlKarte(const TSpielablauf& s)
{
    for (int i = 0; i < 20; ++i) {
        const TKarten& k = s.Kartenfeld[static_cast<std::size_t>(i)];
        if (k.Form.Visible && k.Farbe != s.Zielfarbe)
            return i;
    }
    return -1;
}

void Treffen(Spielumgebung& u)
{
    u.spiel.KarteMouseDown(ZielKarte(u.spiel));
}

void Verfehlen(Spielumgebung& u)
{
    const int i = FehlKarte(u.spiel);
    ASSERT_GE(i, 0);
    u.spiel.KarteMouseDown(i);
}

int Summe(const TSpielablauf& s)
{
    int n = 0;
    for (const auto& sp : s.Spielerliste)
        n += sp->AnzahlTreffer;
    return n;
}

bool AlleUhrbilder(const FakeAnsicht& a)
{
    return std::all_of(a.Uhrbilder.begin(), a.Uhrbilder.end(), [](bool b) { return b; });
}

std::vector<TColor> Kachelfarben(const TSpielablauf& s)
{
    std::vector<TColor> f;
    for (const TKarten& k : s.Kartenfeld)
        f.push_back(k.Farbe);
    return f;
}

// After a fresh deal and one showing: every list colour on one tile, except
// at most one tile that the showing gave the target colour.
void PruefeNeuVerteilt(const TSpielablauf& s, const std::vector<TColor>& vorher)
{
    int ziel = 0;
    int bewegt = 0;
    std::vector<TColor> rest;
    for (std::size_t i = 0; i < s.Kartenfeld.size(); ++i) {
        const TColor f = s.Kartenfeld[i].Farbe;
        if (f == s.Zielfarbe) {
            ++ziel;
            continue;
        }
        rest.push_back(f);
        bewegt += f != vorher[i] ? 1 : 0;
    }
    EXPECT_LE(ziel, 1);
    EXPECT_GT(bewegt, 0);
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(std::adjacent_find(rest.begin(), rest.end()), rest.end());
    for (TColor f : rest)
        EXPECT_NE(std::find(s.Farbliste.begin(), s.Farbliste.end(), f), s.Farbliste.end());
}
} // namespace

TEST(Spielablauf, NeuesSpielMitZweiSpielern)
{
    Spielumgebung u(1, 2, 2);
    u.spiel.NeuesSpiel();
    ASSERT_EQ(u.spiel.Spielerliste.size(), 2u);
    EXPECT_EQ(u.spiel.Spielerliste[0]->Nummer, 0);
    EXPECT_EQ(u.spiel.Spielerliste[1]->Nummer, 1);
    EXPECT_EQ(u.spiel.AktuellerSpieler, 1);
    EXPECT_EQ(u.spiel.Spielerliste[0]->Titel.Color, clTitelblau);
    EXPECT_EQ(u.spiel.Spielerliste[1]->Titel.Color, clBtnFace);
    EXPECT_EQ(u.ansicht.NaechsteSpieler, std::vector<std::string> { "Anna ist an der Reihe " });
    // The game screen comes in front of the next-player screen.
    const auto& p = u.ansicht.Protokoll;
    const auto naechster = std::find(p.begin(), p.end(), "NaechsterSpieler");
    const auto zeigen = std::find(p.begin(), p.end(), "Zeigen");
    EXPECT_LT(naechster, zeigen);
    EXPECT_TRUE(u.ansicht.Bildschirm);
    EXPECT_EQ(u.spiel.Zielform, 0);
    EXPECT_EQ(u.ansicht.Zielform, stCircle);
    EXPECT_TRUE(u.ansicht.ZielSichtbar);
    EXPECT_EQ(u.ansicht.Zielfarbe, u.spiel.Zielfarbe);
    EXPECT_TRUE(AlleUhrbilder(u.ansicht));
    EXPECT_TRUE(u.ansicht.Laeuft);
    EXPECT_EQ((u.ansicht.LetzteAbspielung), (std::array<int, 3> { 1, 15, 1 }));
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
}

TEST(Spielablauf, SegmenteLaufenAbUndVorlageVerschwindet)
{
    for (int schwierigkeit : { 0, 2 }) {
        Spielumgebung u(2, 1, schwierigkeit);
        u.spiel.NeuesSpiel();
        const TColor ziel = u.spiel.Zielfarbe;
        for (int k = 1; k <= 5; ++k) {
            const int abspielungen = u.ansicht.Abspielungen;
            u.ansicht.UhrLaeuftAb();
            EXPECT_EQ(u.spiel.Uhrsegment, k);
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(u.ansicht.Uhrbilder[static_cast<std::size_t>(i)], i >= k);
            EXPECT_EQ(u.ansicht.ZielSichtbar, schwierigkeit == 0);
            EXPECT_EQ(u.ansicht.Abspielungen, abspielungen + 1);
            EXPECT_TRUE(u.ansicht.Laeuft);
        }
        EXPECT_EQ(u.spiel.Zielfarbe, ziel);
    }
}

TEST(Spielablauf, AbgelaufeneUhrVerteiltDieselbenFarbenNeu)
{
    Spielumgebung u(3, 2, 3);
    u.spiel.NeuesSpiel();
    const TColor ziel = u.spiel.Zielfarbe;
    const auto liste = u.spiel.Farbliste;
    // Tiles that kept the target colour from earlier showings lose it in the
    // new deal.
    for (std::size_t i = 0; i < 20; i += 2)
        u.spiel.Kartenfeld[i].SetzeFarbe(ziel);
    const auto vorher = Kachelfarben(u.spiel);
    for (int k = 0; k < 6; ++k)
        u.ansicht.UhrLaeuftAb();
    PruefeNeuVerteilt(u.spiel, vorher);
    EXPECT_EQ(u.spiel.AktuellerSpieler, 2);
    EXPECT_EQ(u.ansicht.NaechsteSpieler.back(), "Béla ist an der Reihe ");
    EXPECT_EQ(u.spiel.Spielerliste[1]->Titel.Color, clTitelblau);
    EXPECT_EQ(u.spiel.Spielerliste[0]->Titel.Color, clBtnFace);
    EXPECT_EQ(u.spiel.Zielfarbe, ziel);
    EXPECT_EQ(u.spiel.Farbliste, liste);
    for (std::int32_t z : u.spiel.Verfuegbar)
        EXPECT_EQ(z, 0);
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_TRUE(AlleUhrbilder(u.ansicht));
    EXPECT_TRUE(u.ansicht.ZielSichtbar);
    EXPECT_TRUE(u.ansicht.Laeuft);
    EXPECT_TRUE(u.ansicht.Toene.empty());
    for (int k = 0; k < 6; ++k)
        u.ansicht.UhrLaeuftAb();
    EXPECT_EQ(u.spiel.AktuellerSpieler, 1);
}

TEST(Spielablauf, UeberspringenEndetDenZugInnerhalbDesStopps)
{
    Spielumgebung u(4, 2, 4);
    u.spiel.NeuesSpiel();
    u.ansicht.UhrLaeuftAb();
    u.ansicht.UhrLaeuftAb();
    const TColor ziel = u.spiel.Zielfarbe;
    const auto liste = u.spiel.Farbliste;
    const int meldungen = u.ansicht.Meldungen;
    for (std::size_t i = 1; i < 20; i += 3)
        u.spiel.Kartenfeld[i].SetzeFarbe(ziel);
    const auto vorher = Kachelfarben(u.spiel);
    u.spiel.NeueFarbeClick();
    PruefeNeuVerteilt(u.spiel, vorher);
    EXPECT_EQ(u.ansicht.Stopps, 1);
    EXPECT_EQ(u.ansicht.Meldungen, meldungen + 1);
    // The turn had passed before the stop returned.
    EXPECT_EQ(u.ansicht.SpielerNachStopp, 2);
    EXPECT_EQ(u.spiel.AktuellerSpieler, 2);
    EXPECT_EQ(u.spiel.Zielfarbe, ziel);
    EXPECT_EQ(u.spiel.Farbliste, liste);
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_TRUE(AlleUhrbilder(u.ansicht));
    EXPECT_TRUE(u.ansicht.ZielSichtbar);
    EXPECT_TRUE(u.ansicht.Laeuft);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
}

TEST(Spielablauf, TrefferBehaeltDenSpielerUndZiehtNeu)
{
    Spielumgebung u(5, 2, 2);
    u.spiel.NeuesSpiel();
    u.ansicht.UhrLaeuftAb();
    const TColor ziel = u.spiel.Zielfarbe;
    const int meldungen = u.ansicht.Meldungen;
    const int abspielungen = u.ansicht.Abspielungen;
    Treffen(u);
    const TSpieler& anna = *u.spiel.Spielerliste[0];
    EXPECT_EQ(anna.AnzahlTreffer, 1);
    EXPECT_TRUE(anna.Treffer[0].Visible);
    EXPECT_EQ(anna.Treffer[0].BrushColor, ziel);
    EXPECT_EQ(u.ansicht.Toene, std::vector<std::string> { "TintariumRichtig.wav" });
    EXPECT_EQ(u.spiel.AktuellerSpieler, 1);
    EXPECT_EQ(u.ansicht.NaechsteSpieler.size(), 1u);
    EXPECT_NE(u.spiel.Zielfarbe, ziel);
    EXPECT_EQ(u.ansicht.Zielfarbe, u.spiel.Zielfarbe);
    EXPECT_TRUE(u.ansicht.ZielSichtbar);
    // One play was cut short and its report was the one ignored.
    EXPECT_EQ(u.ansicht.Abspielungen, abspielungen + 1);
    EXPECT_EQ(u.ansicht.Meldungen, meldungen + 1);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_TRUE(AlleUhrbilder(u.ansicht));
    EXPECT_TRUE(u.ansicht.Laeuft);
    for (const TKarten& k : u.spiel.Kartenfeld)
        EXPECT_EQ(k.Getroffen, 0);
}

TEST(Spielablauf, FehlschussGibtDenZugAbUndBehaeltDieFarben)
{
    Spielumgebung u(6, 2, 1);
    u.spiel.NeuesSpiel();
    const TColor ziel = u.spiel.Zielfarbe;
    const auto liste = u.spiel.Farbliste;
    const auto vorher = Kachelfarben(u.spiel);
    Verfehlen(u);
    EXPECT_EQ(u.ansicht.Toene, std::vector<std::string> { "TintariumFalsch.wav" });
    EXPECT_EQ(u.spiel.AktuellerSpieler, 2);
    EXPECT_EQ(u.ansicht.NaechsteSpieler.back(), "Béla ist an der Reihe ");
    EXPECT_EQ(u.spiel.Zielfarbe, ziel);
    EXPECT_EQ(u.spiel.Farbliste, liste);
    const auto nachher = Kachelfarben(u.spiel);
    for (std::size_t i = 0; i < 20; ++i)
        if (nachher[i] != ziel) {
            EXPECT_EQ(nachher[i], vorher[i]);
        }
    EXPECT_EQ(Summe(u.spiel), 0);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_TRUE(u.ansicht.Laeuft);
}

TEST(Spielablauf, MarkerIgnoriertGenauEineMeldung)
{
    for (bool treffer : { true, false }) {
        Spielumgebung u(7, 2, 2);
        u.ansicht.AbbruchVerzoegert = true;
        u.spiel.NeuesSpiel();
        u.ansicht.UhrLaeuftAb();
        if (treffer)
            Treffen(u);
        else
            Verfehlen(u);
        EXPECT_EQ(u.spiel.Schussergebnis, treffer ? 1 : 0);
        ASSERT_EQ(u.ansicht.OffeneMeldungen, 1);
        const int abspielungen = u.ansicht.Abspielungen;
        const int spieler = u.spiel.AktuellerSpieler;
        u.ansicht.MeldungenZustellen();
        // Only the marker changed.
        EXPECT_EQ(u.spiel.Schussergebnis, -1);
        EXPECT_EQ(u.spiel.Uhrsegment, 0);
        EXPECT_TRUE(AlleUhrbilder(u.ansicht));
        EXPECT_EQ(u.ansicht.Abspielungen, abspielungen);
        EXPECT_EQ(u.spiel.AktuellerSpieler, spieler);
        // The next report expires a segment again.
        u.ansicht.UhrLaeuftAb();
        EXPECT_EQ(u.spiel.Uhrsegment, 1);
        EXPECT_FALSE(u.ansicht.Uhrbilder[0]);
    }
    // Directly: a marker of 0 or 1 swallows one report and nothing else.
    Spielumgebung u(8, 1, 2);
    u.spiel.NeuesSpiel();
    for (int marker : { 0, 1 }) {
        u.spiel.Schussergebnis = marker;
        u.spiel.UhrStop();
        EXPECT_EQ(u.spiel.Schussergebnis, -1);
        EXPECT_EQ(u.spiel.Uhrsegment, 0);
        EXPECT_TRUE(AlleUhrbilder(u.ansicht));
        EXPECT_TRUE(u.ansicht.ZielSichtbar);
    }
}

TEST(Spielablauf, StufeSteigtBeiJedemVielfachenVonFuenf)
{
    Spielumgebung u(9, 2, 0);
    u.spiel.NeuesSpiel();
    for (int i = 0; i < 3; ++i)
        Treffen(u);
    Verfehlen(u);
    ASSERT_EQ(u.spiel.AktuellerSpieler, 2);
    Treffen(u);
    EXPECT_EQ(u.spiel.Spielerliste[0]->AnzahlTreffer, 3);
    EXPECT_EQ(u.spiel.Spielerliste[1]->AnzahlTreffer, 1);
    EXPECT_EQ(u.level.Stufe, 0);
    Treffen(u); // the second player's hit makes five
    EXPECT_EQ(u.level.Stufe, 1);
    EXPECT_EQ(u.level.Abweichung, 50);
    EXPECT_EQ(u.spiel.Zielform, 1);
    EXPECT_EQ(u.ansicht.Zielform, stEllipse);
    // The colours of that same hit already use the new spread.
    for (int n = 0; n < 3; ++n) {
        const int c = static_cast<int>((u.spiel.Zielfarbe >> (8 * n)) & 0xFF);
        EXPECT_GE(c, 50);
        EXPECT_LE(c, 204);
        for (TColor f : u.spiel.Farbliste) {
            const int d = static_cast<int>((f >> (8 * n)) & 0xFF) - c;
            EXPECT_GE(d, -50);
            EXPECT_LE(d, 49);
        }
    }

    // Both players up to 15 hits: one advance at every multiple of five,
    // whoever's hit it is.
    const TShapeType formen[] = { stCircle, stEllipse, stRectangle, stRoundRect, stSquare, stSquare, stSquare };
    for (int zug = 0; Summe(u.spiel) < 30; ++zug) {
        ASSERT_LT(zug, 200);
        const int vorher = u.level.Stufe;
        const TSpieler& aktuell = *u.spiel.Spielerliste[static_cast<std::size_t>(u.spiel.AktuellerSpieler - 1)];
        if (aktuell.AnzahlTreffer == 15 || zug % 3 == 2) {
            Verfehlen(u);
            if (HasFatalFailure())
                return;
            EXPECT_EQ(u.level.Stufe, vorher);
            continue;
        }
        Treffen(u);
        const int summe = Summe(u.spiel);
        EXPECT_EQ(u.level.Stufe, summe / 5) << "Summe " << summe;
        EXPECT_EQ(u.level.Stufe, vorher + (summe % 5 == 0 ? 1 : 0));
        EXPECT_EQ(u.spiel.Zielform, u.level.Stufe);
        EXPECT_EQ(u.ansicht.Zielform, formen[u.level.Stufe]);
    }
    EXPECT_EQ(u.level.Stufe, 6);
    EXPECT_EQ(u.level.Abweichung, 10);
    EXPECT_TRUE(u.ansicht.Sieger.empty());
}

TEST(Spielablauf, ZurueckknopfBeendetDasSpiel)
{
    Spielumgebung u(10, 2, 2);
    u.spiel.NeuesSpiel();
    Treffen(u);
    Treffen(u);
    u.ansicht.UhrLaeuftAb();
    const auto bilder = u.ansicht.Uhrbilder;
    u.spiel.EndeClick();
    EXPECT_EQ(u.ansicht.TonGeschlossen, 1);
    EXPECT_EQ(u.ansicht.Stopps, 1);
    EXPECT_FALSE(u.ansicht.Laeuft);
    EXPECT_EQ(u.ansicht.Uhrbilder, bilder); // the stop's report was ignored
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
    EXPECT_TRUE(u.spiel.Spielerliste.empty());
    EXPECT_FALSE(u.spiel.SpielLaeuft());
    EXPECT_FALSE(u.ansicht.Bildschirm);

    // With no game, stray events change nothing.
    const auto zustand = u.spiel.Quelle.Zustand;
    u.spiel.UhrStop();
    u.spiel.NeueFarbeClick();
    u.spiel.Kartenfeld[static_cast<std::size_t>(u.spiel.GezeigteKarten.front())].Getroffen = 1;
    u.spiel.Schuss();
    u.ansicht.UhrLaeuftAb();
    EXPECT_EQ(u.spiel.Quelle.Zustand, zustand);
    EXPECT_EQ(u.spiel.Uhrsegment, 1);
    EXPECT_TRUE(u.ansicht.Toene.size() == 2u);

    u.spiel.NeuesSpiel();
    ASSERT_EQ(u.spiel.Spielerliste.size(), 2u);
    EXPECT_EQ(Summe(u.spiel), 0);
    EXPECT_FALSE(u.spiel.Spielerliste[0]->Treffer[0].Visible);
    EXPECT_EQ(u.spiel.AktuellerSpieler, 1);
    EXPECT_EQ(u.spiel.Zielform, 0);
    EXPECT_EQ(u.ansicht.Zielform, stCircle);
    EXPECT_TRUE(u.ansicht.Bildschirm);
    EXPECT_TRUE(u.ansicht.Laeuft);
}

TEST(Spielablauf, NeuesSpielBeginntDenStufenplanVonVorn)
{
    Spielumgebung u(11, 1, 1);
    u.spiel.NeuesSpiel();
    for (int i = 0; i < 12; ++i)
        Treffen(u);
    ASSERT_EQ(u.level.Stufe, 2);
    ASSERT_EQ(u.ansicht.Zielform, stRectangle);
    u.spiel.EndeClick();
    u.spiel.NeuesSpiel();
    EXPECT_EQ(u.level.Stufe, 0);
    EXPECT_EQ(u.level.Abweichung, 60);
    EXPECT_EQ(u.level.Sichtdauer, 1);
    EXPECT_EQ(u.level.AnzahlSichtbar, 6);
    EXPECT_EQ(u.spiel.Zielform, 0);
    EXPECT_EQ(u.ansicht.Zielform, stCircle);
    // The new game's first draw already uses spread 60.
    for (int n = 0; n < 3; ++n) {
        const int c = static_cast<int>((u.spiel.Zielfarbe >> (8 * n)) & 0xFF);
        EXPECT_GE(c, 60);
        EXPECT_LE(c, 194);
    }
}

TEST(Spielablauf, GanzesSpielBisZumSieg)
{
    Spielumgebung u(12, 1, 0);
    u.spiel.NeuesSpiel();
    for (int i = 0; i < 15; ++i) {
        Treffen(u);
        if (i % 4 == 0)
            Verfehlen(u);
        if (i % 5 == 0)
            u.spiel.NeueFarbeClick();
    }
    ASSERT_EQ(Summe(u.spiel), 15);
    ASSERT_EQ(u.level.Stufe, 3);
    const auto toene = u.ansicht.Toene.size();
    const TColor ziel = u.spiel.Zielfarbe;
    const auto zustand = u.spiel.Quelle.Zustand;
    bool imSieger = false;
    u.ansicht.BeiSieg = [&](int nummer) {
        imSieger = true;
        EXPECT_EQ(nummer, 0);
        // The game still runs behind the modal winner screen.
        ASSERT_EQ(u.spiel.Spielerliste.size(), 1u);
        EXPECT_EQ(u.spiel.Spielerliste[0]->AnzahlTreffer, 16);
        EXPECT_TRUE(u.spiel.Spielerliste[0]->Treffer[15].Visible);
        EXPECT_EQ(u.spiel.Spielerliste[0]->Treffer[15].BrushColor, ziel);
        EXPECT_TRUE(u.ansicht.Bildschirm);
        EXPECT_EQ(u.spiel.Schussergebnis, -1);
    };
    Treffen(u);
    EXPECT_TRUE(imSieger);
    EXPECT_EQ(u.ansicht.Sieger, std::vector<int> { 0 });
    // No hit cue, no level check, no new draw for the winning hit.
    EXPECT_EQ(u.ansicht.Toene.size(), toene);
    EXPECT_EQ(u.level.Stufe, 3);
    EXPECT_EQ(u.spiel.Zielfarbe, ziel);
    EXPECT_EQ(u.spiel.Quelle.Zustand, zustand);
    EXPECT_TRUE(u.spiel.Spielerliste.empty());
    EXPECT_FALSE(u.ansicht.Bildschirm);
    EXPECT_FALSE(u.ansicht.Laeuft);
    EXPECT_EQ(u.ansicht.TonGeschlossen, 1);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
    EXPECT_EQ(u.ansicht.Protokoll.back(), "Schliessen");
}

TEST(Spielablauf, UhrLaeuftHinterDemSiegerbildschirmWeiter)
{
    Spielumgebung u(13, 2, 2);
    u.spiel.NeuesSpiel();
    for (int i = 0; i < 15; ++i)
        Treffen(u);
    u.ansicht.BeiSieg = [&](int) {
        for (int k = 0; k < 6; ++k)
            u.ansicht.UhrLaeuftAb();
        // All six segments expired: the turn passed behind the winner.
        EXPECT_EQ(u.spiel.AktuellerSpieler, 2);
        EXPECT_EQ(u.ansicht.NaechsteSpieler.back(), "Béla ist an der Reihe ");
        EXPECT_TRUE(u.spiel.SpielLaeuft());
    };
    Treffen(u);
    EXPECT_EQ(u.ansicht.Sieger, std::vector<int> { 0 });
    EXPECT_FALSE(u.spiel.SpielLaeuft());
    EXPECT_FALSE(u.ansicht.Bildschirm);
    EXPECT_FALSE(u.ansicht.Laeuft);
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
}

TEST(Spielablauf, EinSpielerSiehtNieDenWechselbildschirm)
{
    Spielumgebung u(14, 1, 3);
    u.spiel.NeuesSpiel();
    for (int i = 0; i < 30; ++i) {
        const auto zustand = u.spiel.Quelle.Zustand;
        switch (i % 3) {
        case 0: Verfehlen(u); break;
        case 1: u.spiel.NeueFarbeClick(); break;
        default:
            for (int k = 0; k < 6; ++k)
                u.ansicht.UhrLaeuftAb();
        }
        if (HasFatalFailure())
            return;
        EXPECT_EQ(u.spiel.AktuellerSpieler, 1);
        EXPECT_EQ(u.spiel.Spielerliste[0]->Titel.Color, clTitelblau);
        // A new field was shown.
        EXPECT_NE(u.spiel.Quelle.Zustand, zustand);
        EXPECT_EQ(static_cast<int>(u.spiel.GezeigteKarten.size()), 8);
    }
    EXPECT_TRUE(u.ansicht.NaechsteSpieler.empty());
}

TEST(Spielablauf, SpielerzahlAusserhalbDesBereichs)
{
    // The setup screen only offers 1 or 2; anything else is taken as the
    // nearest of the two instead of reading past the two names.
    for (int spieler : { 0, -3, 3 }) {
        Spielumgebung u(15, spieler, 0);
        u.spiel.NeuesSpiel();
        EXPECT_EQ(u.spiel.Spielerliste.size(), spieler > 2 ? 2u : 1u);
        for (int k = 0; k < 12; ++k)
            u.ansicht.UhrLaeuftAb();
        EXPECT_GE(u.spiel.AktuellerSpieler, 1);
    }
}

TEST(Spielablauf, NeuesSpielWaehrendEinesSpiels)
{
    Spielumgebung u(16, 2, 2);
    u.spiel.NeuesSpiel();
    Treffen(u);
    u.ansicht.UhrLaeuftAb();
    u.spiel.NeuesSpiel();
    EXPECT_EQ(Summe(u.spiel), 0);
    EXPECT_EQ(u.spiel.Uhrsegment, 0);
    EXPECT_TRUE(AlleUhrbilder(u.ansicht));
    EXPECT_EQ(u.spiel.Schussergebnis, -1);
    EXPECT_TRUE(u.ansicht.Bildschirm);
    EXPECT_TRUE(u.ansicht.Laeuft);
}
