// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Player boards: geometry, recording hits and the winning hit.
#include <gtest/gtest.h>

#include "FakeAnsicht.h"
#include "Spieler1.h"

TEST(Spieler, RahmenUndTitel)
{
    TKonfiguration k;
    k.SpielerNamen = { "Anna", "Béla" };
    FakeAnsicht a;
    for (int nummer : { 0, 1 }) {
        TSpieler s(nummer, k, a);
        EXPECT_EQ(s.Nummer, nummer);
        EXPECT_EQ(s.AnzahlTreffer, 0);
        EXPECT_EQ(s.Rahmen.Left, 513);
        EXPECT_EQ(s.Rahmen.Top, nummer == 0 ? 50 : 180);
        EXPECT_EQ(s.Rahmen.Width, 272);
        EXPECT_EQ(s.Rahmen.Height, 120);
        EXPECT_EQ(s.Rahmen.Color, clBtnFace);
        EXPECT_EQ(s.Rahmen.Caption, k.SpielerNamen[static_cast<std::size_t>(nummer)]);
        EXPECT_EQ(s.Titelrahmen.Left, 513);
        EXPECT_EQ(s.Titelrahmen.Top, s.Rahmen.Top);
        EXPECT_EQ(s.Titelrahmen.Width, 272);
        EXPECT_EQ(s.Titelrahmen.Height, 27);
        EXPECT_EQ(s.Titelrahmen.Caption, "");
        EXPECT_EQ(s.Titel.Left, 2);
        EXPECT_EQ(s.Titel.Top, 7);
        EXPECT_EQ(s.Titel.Width, 268);
        EXPECT_EQ(s.Titel.Height, 18);
        EXPECT_EQ(s.Titel.Color, clTitelblau);
        EXPECT_EQ(s.Titel.FontColor, clWhite);
        EXPECT_EQ(s.Titel.Caption, k.SpielerNamen[static_cast<std::size_t>(nummer)]);
    }
    // The second frame ends where the text says: Top 180 to 300.
    TSpieler zweiter(1, k, a);
    EXPECT_EQ(zweiter.Rahmen.Top + zweiter.Rahmen.Height, 300);
    EXPECT_EQ(zweiter.Rahmen.Left + zweiter.Rahmen.Width, 785);
}

TEST(Spieler, LeererNameGibtLeerenTitel)
{
    TKonfiguration k;
    FakeAnsicht a;
    TSpieler s(1, k, a);
    EXPECT_EQ(s.Titel.Caption, "");
    EXPECT_EQ(s.Rahmen.Caption, "");
}

TEST(Spieler, AlleZwanzigMarken)
{
    TKonfiguration k;
    FakeAnsicht a;
    TSpieler s(0, k, a);
    ASSERT_EQ(s.Treffer.size(), 20u);
    const int links[] = { 10, 40, 70, 100, 130, 160, 190, 220 };
    for (std::size_t i = 0; i < 20; ++i) {
        const TFigur& m = s.Treffer[i];
        EXPECT_EQ(m.Left, links[i % 8]) << "Marke " << i;
        EXPECT_EQ(m.Top, 40 + 30 * static_cast<int>(i / 8)) << "Marke " << i;
        EXPECT_EQ(m.Width, 25);
        EXPECT_EQ(m.Height, 25);
        EXPECT_EQ(m.Shape, stRoundRect);
        EXPECT_EQ(m.BrushColor, clBtnFace);
        EXPECT_FALSE(m.Visible);
    }
}

TEST(Spieler, TrefferFuellenDieMarkenInReihenfolge)
{
    TKonfiguration k;
    FakeAnsicht a;
    TSpieler s(1, k, a);
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(s.NeuerTreffer(static_cast<TColor>(0x010203 * n)), 0);
        EXPECT_EQ(s.AnzahlTreffer, n);
        for (int i = 0; i < 20; ++i) {
            const TFigur& m = s.Treffer[static_cast<std::size_t>(i)];
            EXPECT_EQ(m.Visible, i < n);
            if (i < n) {
                EXPECT_EQ(m.BrushColor, static_cast<TColor>(0x010203 * (i + 1)));
            }
        }
    }
    EXPECT_TRUE(a.Sieger.empty());
}

TEST(Spieler, SechzehnterTrefferZeigtDenSiegerUndKehrtErstDanachZurueck)
{
    TKonfiguration k;
    FakeAnsicht a;
    TSpieler s(1, k, a);
    for (int n = 1; n <= 15; ++n)
        s.NeuerTreffer(0x0A0B0C);
    bool imSieger = false;
    a.BeiSieg = [&](int nummer) {
        imSieger = true;
        // The winning mark is shown before the winner screen comes up.
        EXPECT_EQ(nummer, 1);
        EXPECT_EQ(s.AnzahlTreffer, 16);
        EXPECT_TRUE(s.Treffer[15].Visible);
        EXPECT_EQ(s.Treffer[15].Left, 220);
        EXPECT_EQ(s.Treffer[15].Top, 70);
        EXPECT_EQ(s.Treffer[15].BrushColor, 0x445566u);
    };
    EXPECT_EQ(s.NeuerTreffer(0x445566), -1);
    EXPECT_TRUE(imSieger);
    EXPECT_EQ(a.Sieger, std::vector<int> { 1 });
}

TEST(Spieler, VolleTafelBleibtUnveraendert)
{
    TKonfiguration k;
    FakeAnsicht a;
    TSpieler s(0, k, a);
    for (int n = 1; n <= 20; ++n)
        s.NeuerTreffer(static_cast<TColor>(n));
    EXPECT_EQ(s.AnzahlTreffer, 20);
    const auto marken = s.Treffer;
    EXPECT_EQ(s.NeuerTreffer(0x777777), -1);
    EXPECT_EQ(s.AnzahlTreffer, 20);
    ASSERT_EQ(s.Treffer.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_TRUE(s.Treffer[i].Visible);
        EXPECT_EQ(s.Treffer[i].BrushColor, marken[i].BrushColor);
    }
}
