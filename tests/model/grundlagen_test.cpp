// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The random source, the settings and the level record.
#include <gtest/gtest.h>

#include <limits>

#include "Konfiguration1.h"
#include "Level1.h"
#include "Zufallsquelle.h"

TEST(Zufallsquelle, FolgtDemBeispiel)
{
    Zufallsquelle q;
    q.ZufallStarten(12345);
    EXPECT_EQ(q.Zufallswert(), 1220244142);
    EXPECT_EQ(q.Zufallswert(), 1374406965);
    EXPECT_EQ(q.Zufallswert(), 308141128);
}

TEST(Zufallsquelle, StartLaesstObereHaelfteLeer)
{
    Zufallsquelle q;
    q.Zustand = 0xDEADBEEF00000000ull;
    q.ZufallStarten(0xFFFFFFFFu);
    // 0xFFFFFFFF * 22695477 + 1 wraps within 32 bits.
    EXPECT_EQ(q.Zustand, static_cast<std::uint64_t>(static_cast<std::uint32_t>(0xFFFFFFFFu * 22695477u + 1u)));
}

TEST(Zufallsquelle, NullUndNegativVerbrauchenNichts)
{
    Zufallsquelle a;
    Zufallsquelle b;
    a.ZufallStarten(777);
    b.ZufallStarten(777);
    EXPECT_EQ(a.Zufall(0), 0);
    EXPECT_EQ(a.Zufall(-5), 0);
    EXPECT_EQ(a.Zustand, b.Zustand);
    EXPECT_EQ(a.Zufallswert(), b.Zufallswert());
}

TEST(Zufallsquelle, BleibtInDenGrenzen)
{
    Zufallsquelle q;
    // A state whose next step sets bit 63 checks that the top bit is cleared.
    q.Zustand = std::numeric_limits<std::uint64_t>::max();
    for (int i = 0; i < 100000; ++i) {
        const std::int32_t w = q.Zufallswert();
        ASSERT_GE(w, 0);
        ASSERT_LE(w, 2147483647);
    }
    q.ZufallStarten(1);
    bool obersteGesehen = false;
    for (int i = 0; i < 100000; ++i) {
        const std::int32_t z = q.Zufall(75);
        ASSERT_GE(z, 0);
        ASSERT_LT(z, 75);
        obersteGesehen = obersteGesehen || z == 74;
        ASSERT_EQ(q.Zufall(1), 0);
    }
    EXPECT_TRUE(obersteGesehen);
}

TEST(Konfiguration, Startwerte)
{
    TKonfiguration k;
    EXPECT_EQ(k.AnzahlKarten, 20);
    EXPECT_EQ(k.AnzahlSpieler, 2);
    EXPECT_EQ(k.KartenProZeile, 5);
    EXPECT_TRUE(k.SpielerNamen[0].empty());
    EXPECT_TRUE(k.SpielerNamen[1].empty());
}

TEST(Level, NachKonstruktionUndErsterStufe)
{
    TLevel l;
    EXPECT_EQ(l.Stufe, 0);
    EXPECT_EQ(l.Sichtdauer, 1);
    EXPECT_EQ(l.Abweichung, 60);
    EXPECT_EQ(l.NaechsteStufe(), 1);
    EXPECT_EQ(l.Abweichung, 50);
}

TEST(Level, StufenplanUndDarueberHinaus)
{
    TLevel l;
    const int erwartet[] = { 50, 40, 30, 20, 10, 10, 10, 10, 10 };
    for (int i = 0; i < 9; ++i) {
        l.Sichtdauer = 7; // every advance puts it back to 1
        EXPECT_EQ(l.NaechsteStufe(), i + 1);
        EXPECT_EQ(l.Abweichung, erwartet[i]) << "Stufe " << i + 1;
        EXPECT_EQ(l.Sichtdauer, 1);
    }
    EXPECT_EQ(l.Stufe, 9);
}

TEST(Level, Schwierigkeitstabelle)
{
    TLevel l;
    const std::int32_t sichtbar[] = { 5, 6, 7, 8, 9 };
    const bool bleibt[] = { true, true, false, false, false };
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(l.SchwierigkeitAnwenden(i));
        EXPECT_EQ(l.AnzahlSichtbar, sichtbar[i]);
        EXPECT_EQ(l.VorlageBleibt, bleibt[i]);
    }
    // Outside 0..4 nothing changes.
    l.SchwierigkeitAnwenden(1);
    for (int index : { -1, 5, 100, std::numeric_limits<int>::min() }) {
        EXPECT_FALSE(l.SchwierigkeitAnwenden(index));
        EXPECT_EQ(l.AnzahlSichtbar, 6);
        EXPECT_TRUE(l.VorlageBleibt);
    }
}

TEST(Level, NeustartSetztDenStufenplanZurueck)
{
    TLevel l;
    l.SchwierigkeitAnwenden(3);
    for (int i = 0; i < 7; ++i)
        l.NaechsteStufe();
    l.Neustart();
    EXPECT_EQ(l.Stufe, 0);
    EXPECT_EQ(l.Abweichung, 60);
    EXPECT_EQ(l.Sichtdauer, 1);
    EXPECT_EQ(l.AnzahlSichtbar, 8);
    EXPECT_FALSE(l.VorlageBleibt);
}
