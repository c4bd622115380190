// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tile field: tile operations, layout, per-turn showing and the reveal
// labels.
#include <gtest/gtest.h>

#include <array>

#include "FakeAnsicht.h"

namespace {
int Sichtbare(const TSpielablauf& spiel)
{
    int n = 0;
    for (const TKarten& k : spiel.Kartenfeld)
        n += k.Form.Visible ? 1 : 0;
    return n;
}

// Labels: visible exactly on shown tiles while Verraten is on, and "true"
// exactly on tiles of the target colour.
void PruefeHinweise(const TSpielablauf& spiel)
{
    for (const TKarten& k : spiel.Kartenfeld) {
        EXPECT_EQ(k.Hinweis.Visible, spiel.Verraten && k.Form.Visible);
        if (k.Form.Visible) {
            EXPECT_EQ(k.Hinweis.Caption, k.Farbe == spiel.Zielfarbe ? "true" : "false");
        }
    }
}
} // namespace

TEST(Karte, NeueKarte)
{
    Spielumgebung u;
    ASSERT_EQ(u.spiel.Kartenfeld.size(), 20u);
    const TKarten& k = u.spiel.Kartenfeld[0];
    EXPECT_EQ(k.Form.Shape, stRoundRect);
    EXPECT_EQ(k.Form.Width, 50);
    EXPECT_EQ(k.Form.Height, 50);
    EXPECT_FALSE(k.Form.Visible);
    EXPECT_EQ(k.Hinweis.Color, clWhite);
    EXPECT_FALSE(k.Hinweis.Visible);
    EXPECT_EQ(k.Getroffen, 0);
}

TEST(Karte, ZuruecksetzenUndPlatzieren)
{
    Spielumgebung u;
    TKarten& k = u.spiel.Kartenfeld[3];
    k.Form.Shape = stEllipse;
    k.Form.Visible = true;
    k.Hinweis.Left = 4;
    k.Zuruecksetzen();
    EXPECT_EQ(k.Form.Shape, stRoundRect);
    EXPECT_EQ(k.Form.Width, 75);
    EXPECT_EQ(k.Form.Height, 75);
    EXPECT_FALSE(k.Form.Visible);
    EXPECT_EQ(k.Hinweis.Left, 4); // the label is left alone

    k.Form.Height = 33; // odd: the half is rounded down
    k.Platzieren(-5, 100);
    EXPECT_EQ(k.Form.Left, -5);
    EXPECT_EQ(k.Form.Top, 100);
    EXPECT_EQ(k.Hinweis.Left, 5);
    EXPECT_EQ(k.Hinweis.Top, 116);
}

TEST(Karte, SetzeFarbeSchreibtDenHinweis)
{
    Spielumgebung u;
    u.spiel.Zielfarbe = 0x123456;
    TKarten& k = u.spiel.Kartenfeld[0];
    k.SetzeFarbe(0x123456);
    EXPECT_EQ(k.Farbe, 0x123456u);
    EXPECT_EQ(k.Form.BrushColor, 0x123456u);
    EXPECT_EQ(k.Hinweis.Caption, "true");
    EXPECT_FALSE(k.Hinweis.Visible); // hidden tile

    k.Form.Visible = true;
    k.SetzeFarbe(0x123457);
    EXPECT_EQ(k.Hinweis.Caption, "false");
    EXPECT_FALSE(k.Hinweis.Visible); // Verraten off

    u.spiel.Verraten = true;
    k.SetzeFarbe(0x123457);
    EXPECT_TRUE(k.Hinweis.Visible);
}

TEST(Karte, MausklickNurAufGezeigteKarte)
{
    Spielumgebung u;
    u.spiel.NeuesSpiel();
    int verborgen = -1;
    int gezeigt = -1;
    for (int i = 0; i < 20; ++i)
        (u.spiel.Kartenfeld[static_cast<std::size_t>(i)].Form.Visible ? gezeigt : verborgen) = i;
    const auto toene = u.ansicht.Toene.size();
    u.spiel.KarteMouseDown(verborgen);
    u.spiel.KarteMouseDown(-1);
    u.spiel.KarteMouseDown(20);
    EXPECT_EQ(u.ansicht.Toene.size(), toene);
    EXPECT_EQ(u.spiel.Kartenfeld[static_cast<std::size_t>(verborgen)].Getroffen, 0);

    u.spiel.KarteMouseDown(gezeigt);
    EXPECT_EQ(u.ansicht.Toene.size(), toene + 1); // a shot, hit or miss
    for (const TKarten& k : u.spiel.Kartenfeld)
        EXPECT_EQ(k.Getroffen, 0);
}

TEST(Kartenfeld, PlaetzeNachNeuemSpiel)
{
    Spielumgebung u;
    u.spiel.NeuesSpiel();
    const TKarten& k7 = u.spiel.Kartenfeld[7];
    EXPECT_EQ(k7.Form.Left, 180);
    EXPECT_EQ(k7.Form.Top, 105);
    EXPECT_EQ(k7.Hinweis.Left, 190);
    EXPECT_EQ(k7.Hinweis.Top, 142);
    const TKarten& k19 = u.spiel.Kartenfeld[19];
    EXPECT_EQ(k19.Form.Left, 350);
    EXPECT_EQ(k19.Form.Top, 275);
    EXPECT_EQ(k19.Hinweis.Left, 360);
    EXPECT_EQ(k19.Hinweis.Top, 312);
    const std::array<int, 5> spalten { 10, 95, 180, 265, 350 };
    const std::array<int, 4> zeilen { 20, 105, 190, 275 };
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(u.spiel.Kartenfeld[i].Form.Left, spalten[i % 5]);
        EXPECT_EQ(u.spiel.Kartenfeld[i].Form.Top, zeilen[i / 5]);
    }
    // The places hold for the game while the sizes change every turn.
    u.spiel.NeueFarbeClick();
    EXPECT_EQ(u.spiel.Kartenfeld[7].Form.Left, 180);
    EXPECT_EQ(u.spiel.Kartenfeld[7].Hinweis.Top, 142);
}

TEST(Kartenfeld, ZeigenHaeltSeineRegeln)
{
    for (int schwierigkeit = 0; schwierigkeit < 5; ++schwierigkeit) {
        const std::uint32_t seed = 700u + static_cast<std::uint32_t>(schwierigkeit);
        SCOPED_TRACE(testing::Message() << "Schwierigkeit " << schwierigkeit << " seed " << seed);
        Spielumgebung u(seed, 1, schwierigkeit);
        u.spiel.NeuesSpiel();
        for (int i = 0; i < 400; ++i) {
            if (i == 200)
                u.spiel.BossKey();
            u.spiel.KartenZeigen();
            ASSERT_EQ(Sichtbare(u.spiel), u.level.AnzahlSichtbar);
            ASSERT_EQ(static_cast<int>(u.spiel.GezeigteKarten.size()), u.level.AnzahlSichtbar);
            for (const TKarten& k : u.spiel.Kartenfeld) {
                ASSERT_EQ(k.Form.Width, k.Form.Height);
                ASSERT_GE(k.Form.Width, 20);
                ASSERT_LE(k.Form.Width, 74);
                ASSERT_GE(k.Form.Shape, stRectangle);
                ASSERT_LE(k.Form.Shape, stEllipse);
            }
            PruefeHinweise(u.spiel);
        }
    }
}

TEST(Kartenfeld, ZielfarbeFaelltAufDieErsteGezeigteMitHalberChance)
{
    const std::uint32_t seed = 8080;
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Spielumgebung u(seed, 1, 0);
    u.spiel.NeuesSpiel();
    constexpr int Durchlaeufe = 64000;
    std::array<int, 6> stelle {}; // 0..4: position in showing order, 5: none
    for (int i = 0; i < Durchlaeufe; ++i) {
        u.spiel.FarbenVerteilen(); // no tile has the target colour now
        u.spiel.KartenZeigen();
        int gefunden = 5;
        int anzahl = 0;
        for (std::size_t p = 0; p < u.spiel.GezeigteKarten.size(); ++p)
            if (u.spiel.Kartenfeld[static_cast<std::size_t>(u.spiel.GezeigteKarten[p])].Farbe == u.spiel.Zielfarbe) {
                gefunden = static_cast<int>(p);
                ++anzahl;
            }
        ASSERT_LE(anzahl, 1);
        ++stelle[static_cast<std::size_t>(gefunden)];
    }
    const double erwartet[] = { 1.0 / 2, 1.0 / 4, 1.0 / 8, 1.0 / 16, 1.0 / 32, 1.0 / 32 };
    for (std::size_t p = 0; p < 6; ++p)
        EXPECT_NEAR(static_cast<double>(stelle[p]) / Durchlaeufe, erwartet[p], 0.006) << "Stelle " << p;
}

TEST(Kartenfeld, BossKeyZweimalStelltDieHinweiseWiederHer)
{
    Spielumgebung u(606, 1, 4);
    u.spiel.NeuesSpiel();
    // A hidden tile with a stale visible label would show the rule is broken.
    std::vector<TBeschriftung> vorher;
    for (const TKarten& k : u.spiel.Kartenfeld)
        vorher.push_back(k.Hinweis);
    EXPECT_FALSE(u.spiel.Verraten);

    u.spiel.BossKey();
    EXPECT_TRUE(u.spiel.Verraten);
    PruefeHinweise(u.spiel);
    int sichtbar = 0;
    for (const TKarten& k : u.spiel.Kartenfeld)
        sichtbar += k.Hinweis.Visible ? 1 : 0;
    EXPECT_EQ(sichtbar, 9);

    u.spiel.BossKey();
    EXPECT_FALSE(u.spiel.Verraten);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(u.spiel.Kartenfeld[i].Hinweis.Visible, vorher[i].Visible);
        EXPECT_EQ(u.spiel.Kartenfeld[i].Hinweis.Caption, vorher[i].Caption);
    }
}

TEST(Kartenfeld, VerratenGiltBisInsNaechsteSpiel)
{
    Spielumgebung u(11, 1, 2);
    u.spiel.NeuesSpiel();
    u.spiel.BossKey();
    u.spiel.EndeClick();
    u.spiel.NeuesSpiel();
    EXPECT_TRUE(u.spiel.Verraten);
    PruefeHinweise(u.spiel);
}

TEST(Kartenfeld, NachFehlschussBehaeltEineKarteDieZielfarbe)
{
    // Look for a showing that put the target on a tile, then miss: the tile
    // keeps the target colour into the next showing.
    Spielumgebung u(4711, 2, 4);
    u.spiel.NeuesSpiel();
    int mitZiel = -1;
    for (int versuch = 0; versuch < 50 && mitZiel < 0; ++versuch) {
        for (int i = 0; i < 20; ++i)
            if (u.spiel.Kartenfeld[static_cast<std::size_t>(i)].Farbe == u.spiel.Zielfarbe)
                mitZiel = i;
        if (mitZiel < 0)
            u.spiel.NeueFarbeClick();
    }
    ASSERT_GE(mitZiel, 0);
    int fehl = -1;
    for (int i = 0; i < 20; ++i) {
        const TKarten& k = u.spiel.Kartenfeld[static_cast<std::size_t>(i)];
        if (k.Form.Visible && k.Farbe != u.spiel.Zielfarbe)
            fehl = i;
    }
    ASSERT_GE(fehl, 0);
    std::vector<TColor> vorher;
    for (const TKarten& k : u.spiel.Kartenfeld)
        vorher.push_back(k.Farbe);
    u.spiel.KarteMouseDown(fehl);
    EXPECT_EQ(u.spiel.Kartenfeld[static_cast<std::size_t>(mitZiel)].Farbe, u.spiel.Zielfarbe);
    for (std::size_t i = 0; i < 20; ++i)
        if (u.spiel.Kartenfeld[i].Farbe != u.spiel.Zielfarbe) {
            EXPECT_EQ(u.spiel.Kartenfeld[i].Farbe, vorher[i]);
        }
}
