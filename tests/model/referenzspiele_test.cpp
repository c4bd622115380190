// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reference games: five games of one run from a fixed seed, one at each
// difficulty, replayed on the model and compared after every event with the
// visible state that referenz/referenzspiele.py works out from the rules
// alone (target colour, shape and visibility, clock, hits, the shown tiles,
// and every tile's colour, size and kind). Any change in the order of draws
// from the random source, or in what is drawn, shows up here.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FakeAnsicht.h"

namespace {

std::string Zustand(const Spielumgebung& u)
{
    const TSpielablauf& s = u.spiel;
    std::ostringstream text;
    char farbe[16];
    std::snprintf(farbe, sizeof farbe, "%06x", static_cast<unsigned>(u.ansicht.Zielfarbe));
    text << "ziel " << farbe << ' ' << static_cast<int>(u.ansicht.Zielform) << ' ' << u.ansicht.ZielSichtbar << '\n';
    int segmente = 0;
    for (bool b : u.ansicht.Uhrbilder)
        segmente += b;
    text << "uhr " << segmente << " treffer " << (s.Spielerliste.empty() ? 0 : s.Spielerliste[0]->AnzahlTreffer)
         << '\n';
    text << "gezeigt";
    for (std::size_t i = 0; i < s.Kartenfeld.size(); ++i)
        if (s.Kartenfeld[i].Form.Visible)
            text << ' ' << i;
    text << "\nkarten";
    for (const TKarten& k : s.Kartenfeld) {
        // Width and height are always set together; the file holds one size.
        EXPECT_EQ(k.Form.Width, k.Form.Height);
        EXPECT_EQ(k.Form.BrushColor, k.Farbe);
        std::snprintf(farbe, sizeof farbe, "%06x", static_cast<unsigned>(k.Farbe));
        text << ' ' << farbe << '/' << k.Form.Width << '/' << static_cast<int>(k.Form.Shape);
    }
    text << '\n';
    return text.str();
}

} // namespace

TEST(Referenzspiele, FolgenDenRegelnZugUmZug)
{
    std::ifstream datei(TINTARIUM_REFERENZSPIELE);
    ASSERT_TRUE(datei) << TINTARIUM_REFERENZSPIELE;
    std::vector<std::string> zeilen;
    for (std::string zeile; std::getline(datei, zeile);)
        if (!zeile.empty() && zeile[0] != '#')
            zeilen.push_back(zeile);

    std::uint32_t seed = 0;
    ASSERT_FALSE(zeilen.empty());
    ASSERT_EQ(std::sscanf(zeilen[0].c_str(), "lauf %u", &seed), 1);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    Spielumgebung u(seed, 1, 0);

    int schwierigkeit = -1;
    int schritte = 0;
    for (std::size_t z = 1; z < zeilen.size(); ++z) {
        std::istringstream zeile(zeilen[z]);
        std::string wort;
        zeile >> wort;
        if (wort == "spiel") {
            zeile >> schwierigkeit;
            ASSERT_TRUE(u.level.SchwierigkeitAnwenden(schwierigkeit));
            continue;
        }
        ASSERT_EQ(wort, "schritt") << zeilen[z];
        std::string ereignis;
        int karte = -1;
        zeile >> ereignis >> karte;
        if (ereignis == "neu") {
            u.spiel.NeuesSpiel();
        } else if (ereignis == "fehl" || ereignis == "treffer") {
            u.ansicht.Toene.clear();
            u.spiel.KarteMouseDown(karte);
            const std::vector<std::string> ton { ereignis == "fehl" ? TSpielablauf::TonFalsch
                                                                    : TSpielablauf::TonRichtig };
            ASSERT_EQ(u.ansicht.Toene, ton) << zeilen[z] << " in game " << schwierigkeit;
        } else if (ereignis == "segment") {
            u.ansicht.UhrLaeuftAb();
        } else if (ereignis == "uhr") {
            for (int rest = TSpielablauf::Uhrsegmente - u.spiel.Uhrsegment; rest > 0; --rest)
                u.ansicht.UhrLaeuftAb();
        } else if (ereignis == "weiter") {
            u.spiel.NeueFarbeClick();
        } else if (ereignis == "ende") {
            u.spiel.EndeClick();
        } else {
            FAIL() << "unknown event " << zeilen[z];
        }
        ASSERT_LE(z + 4, zeilen.size());
        const std::string erwartet
            = zeilen[z + 1] + '\n' + zeilen[z + 2] + '\n' + zeilen[z + 3] + '\n' + zeilen[z + 4] + '\n';
        z += 4;
        ++schritte;
        ASSERT_EQ(Zustand(u), erwartet) << "after step " << schritte << " (" << ereignis << ' ' << karte
                                        << ") of the game at difficulty " << schwierigkeit;
    }
    EXPECT_EQ(schwierigkeit, 4);
    EXPECT_GT(schritte, 50);
}
