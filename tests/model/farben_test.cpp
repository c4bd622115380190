// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour draw (target and distractors) and the deal over the tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "FakeAnsicht.h"

namespace {
int Kanal(TColor farbe, int n)
{
    return static_cast<int>((farbe >> (8 * n)) & 0xFF);
}

// Target channels within m..254-m, distractors within c-m..c+m-1, the list
// pairwise different and free of the target.
void PruefeZiehung(const TSpielablauf& spiel, int m)
{
    EXPECT_EQ(spiel.Zielfarbe >> 24, 0u);
    for (int n = 0; n < 3; ++n) {
        ASSERT_GE(Kanal(spiel.Zielfarbe, n), m);
        ASSERT_LE(Kanal(spiel.Zielfarbe, n), 254 - m);
    }
    std::set<TColor> gesehen;
    for (TColor f : spiel.Farbliste) {
        ASSERT_NE(f, spiel.Zielfarbe);
        ASSERT_TRUE(gesehen.insert(f).second) << "doppelte Farbe " << f;
        ASSERT_EQ(f >> 24, 0u);
        for (int n = 0; n < 3; ++n) {
            const int c = Kanal(spiel.Zielfarbe, n);
            ASSERT_GE(Kanal(f, n), c - m);
            ASSERT_LE(Kanal(f, n), c + m - 1);
        }
    }
}
} // namespace

TEST(FarbenZiehen, ListeStartetOhneZiehbareFarbe)
{
    Spielumgebung u;
    ASSERT_EQ(u.spiel.Farbliste.size(), 20u);
    for (TColor f : u.spiel.Farbliste)
        EXPECT_NE(f >> 24, 0u);
}

TEST(FarbenZiehen, ZieltKanaeleInDerReihenfolgeRotGruenBlau)
{
    Spielumgebung u(12345);
    u.spiel.FarbenZiehen();
    // The example's first three raw draws, at spread 60.
    const TColor rot = 1220244142 % 135 + 60;
    const TColor gruen = 1374406965 % 135 + 60;
    const TColor blau = 308141128 % 135 + 60;
    EXPECT_EQ(u.spiel.Zielfarbe, rot | gruen << 8 | blau << 16);
    EXPECT_EQ(u.ansicht.Zielfarbe, u.spiel.Zielfarbe);
    EXPECT_TRUE(u.ansicht.ZielSichtbar);
}

TEST(FarbenZiehen, GrenzenBeiAbweichung60Und10)
{
    for (int m : { 60, 50, 10 }) {
        const std::uint32_t seed = 4242u + static_cast<std::uint32_t>(m);
        SCOPED_TRACE(testing::Message() << "Abweichung " << m << " seed " << seed);
        Spielumgebung u(seed);
        u.level.Abweichung = m;
        int kleinste = 255;
        int groesste = 0;
        for (int i = 0; i < 3000; ++i) {
            u.spiel.FarbenZiehen();
            PruefeZiehung(u.spiel, m);
            if (testing::Test::HasFatalFailure())
                return;
            for (int n = 0; n < 3; ++n) {
                kleinste = std::min(kleinste, Kanal(u.spiel.Zielfarbe, n));
                groesste = std::max(groesste, Kanal(u.spiel.Zielfarbe, n));
            }
        }
        // The bounds are reached, not only respected.
        EXPECT_EQ(kleinste, m);
        EXPECT_EQ(groesste, 254 - m);
    }
}

TEST(FarbenZiehen, VerwirftFarbeDieNochVonDerVorigenZiehungDasteht)
{
    // Replay the draws the cycle will make to learn its first two candidates.
    Zufallsquelle q;
    q.ZufallStarten(99);
    const int m = 60;
    int ziel[3];
    for (int& c : ziel)
        c = q.Zufall(255 - 2 * m) + m;
    auto kandidat = [&] {
        TColor k = 0;
        for (int n = 0; n < 3; ++n)
            k |= static_cast<TColor>((ziel[n] - m + q.Zufall(2 * m)) & 0xFF) << (8 * n);
        return k;
    };
    const TColor erster = kandidat();
    const TColor zweiter = kandidat();
    ASSERT_NE(erster, zweiter);

    Spielumgebung ohne(99);
    ohne.spiel.FarbenZiehen();
    EXPECT_EQ(ohne.spiel.Farbliste[0], erster);

    // The same draw with the first candidate still at the last place, which
    // this draw refills only at its end.
    Spielumgebung mit(99);
    mit.spiel.Farbliste[19] = erster;
    mit.spiel.FarbenZiehen();
    EXPECT_EQ(mit.spiel.Farbliste[0], zweiter);
    PruefeZiehung(mit.spiel, m);
}

TEST(FarbenZiehen, VerwirftDieZielfarbe)
{
    // Over many draws at the smallest spread no place ever holds the target;
    // a list of 20 out of 8000 colours makes collisions common enough.
    Spielumgebung u(5);
    u.level.Abweichung = 10;
    for (int i = 0; i < 2000; ++i) {
        u.spiel.FarbenZiehen();
        ASSERT_EQ(std::count(u.spiel.Farbliste.begin(), u.spiel.Farbliste.end(), u.spiel.Zielfarbe), 0);
    }
}

TEST(FarbenZiehen, UngewoehnlicheAbweichungEndetTrotzdem)
{
    // The spread comes only from the schedule, but a stray value must not
    // hang the draw or leave the byte range.
    for (int m : { 0, 1, -7, 128, 1000 }) {
        Spielumgebung u(3);
        u.level.Abweichung = m;
        u.spiel.FarbenZiehen();
        EXPECT_EQ(u.spiel.Zielfarbe >> 24, 0u);
        std::set<TColor> verschieden(u.spiel.Farbliste.begin(), u.spiel.Farbliste.end());
        EXPECT_EQ(verschieden.size(), 20u);
    }
}

TEST(FarbenVerteilen, GibtEinePermutationUndLeertDieZaehler)
{
    Spielumgebung u(2024);
    for (int runde = 0; runde < 500; ++runde) {
        u.spiel.FarbenZiehen();
        u.spiel.FarbenVerteilen();
        std::vector<TColor> kacheln;
        for (const TKarten& k : u.spiel.Kartenfeld) {
            kacheln.push_back(k.Farbe);
            ASSERT_EQ(k.Form.BrushColor, k.Farbe);
            ASSERT_NE(k.Farbe, u.spiel.Zielfarbe);
            ASSERT_EQ(k.Hinweis.Caption, "false");
        }
        ASSERT_TRUE(std::is_permutation(kacheln.begin(), kacheln.end(), u.spiel.Farbliste.begin()));
        for (std::int32_t z : u.spiel.Verfuegbar)
            ASSERT_EQ(z, 0);
    }
}

TEST(FarbenVerteilen, JedePlatzierungIstMoeglich)
{
    // Every list place reaches every tile: the deal is not biased to the
    // identity or a rotation.
    Spielumgebung u(31337);
    u.spiel.FarbenZiehen();
    std::vector<std::set<TColor>> jeKachel(20);
    for (int i = 0; i < 2000; ++i) {
        u.spiel.FarbenVerteilen();
        for (std::size_t k = 0; k < 20; ++k)
            jeKachel[k].insert(u.spiel.Kartenfeld[k].Farbe);
    }
    for (const auto& s : jeKachel)
        EXPECT_EQ(s.size(), 20u);
}
