// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random whole games against the fake screen, with the model's invariants
// checked after every event. Soak.Kurz runs a few thousand games in the normal
// suite; Soak.Lang runs over a million turns (ctest label "soak"). Seeds are
// printed so a failure can be replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <random>
#include <sstream>

#include "FakeAnsicht.h"

namespace {

class Dauerlauf {
public:
    explicit Dauerlauf(std::uint32_t seed)
        : Seed(seed)
        , Wuerfel(seed)
        , U(seed)
    {
    }

    // Plays games until `zuege` turns have ended; returns the first broken
    // invariant, or an empty string.
    std::string Spielen(long zuege)
    {
        while (Zuege < zuege) {
            NeuesSpiel();
            while (U.spiel.SpielLaeuft()) {
                Ereignis();
                ++Ereignisse;
                if (Fehler.empty())
                    Pruefen();
                if (!Fehler.empty()) {
                    std::ostringstream s;
                    s << "seed " << Seed << ", Spiel " << Spiele << ", Ereignis " << Ereignisse << ": " << Fehler;
                    return s.str();
                }
            }
        }
        return {};
    }

    long Zuege = 0;
    long Ereignisse = 0;
    long Spiele = 0;
    long Siege = 0;

private:
    int Wurf(int n) { return static_cast<int>(Wuerfel() % static_cast<std::uint32_t>(n)); }

    void NeuesSpiel()
    {
        ++Spiele;
        U.konfiguration.AnzahlSpieler = 1 + Wurf(2);
        U.level.SchwierigkeitAnwenden(Wurf(5));
        U.ansicht.AbbruchVerzoegert = Wurf(4) == 0;
        U.ansicht.BeiSieg = [this](int) {
            // Clock reports go on behind the modal winner screen.
            const int segmente = Wurf(8);
            for (int k = 0; k < segmente; ++k)
                U.ansicht.UhrLaeuftAb();
        };
        Erwartet.assign(static_cast<std::size_t>(U.konfiguration.AnzahlSpieler), {});
        U.spiel.NeuesSpiel();
        Pruefen();
    }

    void Ereignis()
    {
        TSpielablauf& s = U.spiel;
        const int r = Wurf(1000);
        if (r < 550) {
            Schiessen();
        } else if (r < 800) {
            U.ansicht.UhrLaeuftAb();
            if (s.Uhrsegment == 0) {
                ++Zuege;
                NeuVerteilt();
            }
        } else if (r < 850) {
            int segmente = 0;
            do
                U.ansicht.UhrLaeuftAb();
            while (s.Uhrsegment != 0 && ++segmente < 6);
            ++Zuege;
            NeuVerteilt();
        } else if (r < 930) {
            const int spieler = s.AktuellerSpieler;
            s.NeueFarbeClick();
            if (U.ansicht.SpielerNachStopp != (spieler % static_cast<int>(s.Spielerliste.size())) + 1)
                Fehler = "Ueberspringen hat den Zug nicht im Stopp beendet";
            ++Zuege;
            NeuVerteilt();
        } else if (r < 945) {
            s.BossKey();
        } else if (r < 960) {
            // A hidden tile takes no shot.
            const auto zustand = s.Quelle.Zustand;
            for (int i = 0; i < 20; ++i)
                if (!s.Kartenfeld[static_cast<std::size_t>(i)].Form.Visible) {
                    s.KarteMouseDown(i);
                    break;
                }
            if (s.Quelle.Zustand != zustand)
                Fehler = "Klick auf verborgene Karte hat etwas bewirkt";
        } else if (r < 963) {
            s.EndeClick();
            ++Zuege;
        } else {
            U.ansicht.UhrLaeuftAb();
        }
        if (U.ansicht.AbbruchVerzoegert)
            U.ansicht.MeldungenZustellen(); // as the event loop would
    }

    // A new deal leaves the target colour on at most the one tile that the
    // showing after it chose.
    void NeuVerteilt()
    {
        const TSpielablauf& s = U.spiel;
        if (!s.SpielLaeuft())
            return;
        const auto ziel = std::count_if(
            s.Kartenfeld.begin(), s.Kartenfeld.end(), [&](const TKarten& k) { return k.Farbe == s.Zielfarbe; });
        if (ziel > 1 && Fehler.empty())
            Fehler = "Zielfarbe nach neuer Verteilung auf mehreren Karten";
    }

    void Schiessen()
    {
        TSpielablauf& s = U.spiel;
        int ziel = -1;
        for (int i : s.GezeigteKarten)
            if (s.Kartenfeld[static_cast<std::size_t>(i)].Farbe == s.Zielfarbe)
                ziel = i;
        const int karte = ziel >= 0 && Wurf(100) < 60
            ? ziel
            : s.GezeigteKarten[static_cast<std::size_t>(Wurf(static_cast<int>(s.GezeigteKarten.size())))];
        const TColor farbe = s.Kartenfeld[static_cast<std::size_t>(karte)].Farbe;
        const bool treffer = farbe == s.Zielfarbe;
        const int spieler = s.AktuellerSpieler;
        const auto sieger = U.ansicht.Sieger.size();
        if (treffer)
            Erwartet[static_cast<std::size_t>(spieler - 1)].push_back(farbe);
        s.KarteMouseDown(karte);
        ++Zuege;
        const bool gewonnen = treffer && Erwartet[static_cast<std::size_t>(spieler - 1)].size() == 16;
        if (gewonnen) {
            ++Siege;
            if (s.SpielLaeuft() || U.ansicht.Sieger.size() != sieger + 1 || U.ansicht.Sieger.back() != spieler - 1)
                Fehler = "Sieg nicht richtig beendet";
        } else if (U.ansicht.Sieger.size() != sieger) {
            Fehler = "Sieger ohne sechzehnten Treffer";
        }
    }

    void Pruefen()
    {
        const TSpielablauf& s = U.spiel;
        const FakeAnsicht& a = U.ansicht;
        const TLevel& l = U.level;
        auto fehler = [this](const char* text) {
            if (Fehler.empty())
                Fehler = text;
        };
        if (s.Schussergebnis != -1)
            fehler("Marker nach dem Ereignis nicht -1");
        if (a.OffeneMeldungen != 0)
            fehler("Meldung nicht zugestellt");
        if (!s.SpielLaeuft()) {
            if (a.Bildschirm || a.Laeuft)
                fehler("Spielende laesst Bildschirm oder Uhr an");
            return;
        }
        if (!a.Bildschirm || !a.Laeuft)
            fehler("Bildschirm oder Uhr aus waehrend des Spiels");

        int sichtbar = 0;
        for (const TKarten& k : s.Kartenfeld) {
            sichtbar += k.Form.Visible ? 1 : 0;
            if (k.Form.Width != k.Form.Height || k.Form.Width < 20 || k.Form.Width > 74)
                fehler("Kartengroesse");
            if (k.Form.Shape < stRectangle || k.Form.Shape > stEllipse)
                fehler("Kartenform");
            if (k.Form.BrushColor != k.Farbe || k.Getroffen != 0)
                fehler("Karte: Fuellfarbe oder Getroffen");
            if (k.Hinweis.Visible != (s.Verraten && k.Form.Visible))
                fehler("Hinweis sichtbar");
            if (k.Hinweis.Caption != (k.Farbe == s.Zielfarbe ? "true" : "false"))
                fehler("Hinweistext");
            if (k.Farbe != s.Zielfarbe
                && std::find(s.Farbliste.begin(), s.Farbliste.end(), k.Farbe) == s.Farbliste.end())
                fehler("Kartenfarbe nicht aus der Liste");
        }
        if (sichtbar != l.AnzahlSichtbar)
            fehler("Anzahl sichtbarer Karten");
        for (std::int32_t z : s.Verfuegbar)
            if (z != 0)
                fehler("Verfuegbar nicht 0");

        const int m = l.Abweichung;
        for (int n = 0; n < 3; ++n) {
            const int c = static_cast<int>((s.Zielfarbe >> (8 * n)) & 0xFF);
            if (c < m || c > 254 - m)
                fehler("Zielfarbe ausserhalb der Stufe");
            for (TColor f : s.Farbliste) {
                const int d = static_cast<int>((f >> (8 * n)) & 0xFF) - c;
                if (d < -m || d > m - 1)
                    fehler("Ablenkfarbe ausserhalb der Stufe");
            }
        }
        if ((s.Zielfarbe >> 24) != 0 || a.Zielfarbe != s.Zielfarbe)
            fehler("Zielanzeige hat nicht die Zielfarbe");
        for (std::size_t i = 0; i < s.Farbliste.size(); ++i) {
            if (s.Farbliste[i] == s.Zielfarbe)
                fehler("Zielfarbe in der Liste");
            for (std::size_t j = i + 1; j < s.Farbliste.size(); ++j)
                if (s.Farbliste[i] == s.Farbliste[j])
                    fehler("Farbe doppelt in der Liste");
        }

        if (s.Spielerliste.size() != Erwartet.size())
            fehler("Zahl der Tafeln");
        int summe = 0;
        for (std::size_t p = 0; p < s.Spielerliste.size() && p < Erwartet.size(); ++p) {
            const TSpieler& sp = *s.Spielerliste[p];
            summe += sp.AnzahlTreffer;
            if (sp.AnzahlTreffer > 16 || sp.AnzahlTreffer != static_cast<int>(Erwartet[p].size()))
                fehler("Trefferzahl");
            for (std::size_t i = 0; i < sp.Treffer.size(); ++i) {
                const bool soll = i < Erwartet[p].size();
                if (sp.Treffer[i].Visible != soll || (soll && sp.Treffer[i].BrushColor != Erwartet[p][i]))
                    fehler("Marken passen nicht zu den Treffern");
            }
            const bool aktuell = static_cast<int>(p) == s.AktuellerSpieler - 1;
            if (sp.Titel.Color != (aktuell ? clTitelblau : clBtnFace))
                fehler("Titelfarbe");
        }
        if (s.AktuellerSpieler < 1 || s.AktuellerSpieler > static_cast<int>(s.Spielerliste.size()))
            fehler("AktuellerSpieler");
        if (l.Stufe != summe / 5 || s.Zielform != l.Stufe)
            fehler("Stufe passt nicht zur Trefferzahl");
        static constexpr TShapeType formen[] = { stCircle, stEllipse, stRectangle, stRoundRect, stSquare };
        if (a.Zielform != formen[std::min(l.Stufe, 4)])
            fehler("Form der Zielanzeige");

        if (s.Uhrsegment < 0 || s.Uhrsegment > 5)
            fehler("Uhrsegment");
        for (int i = 0; i < 6; ++i)
            if (a.Uhrbilder[static_cast<std::size_t>(i)] != (i >= s.Uhrsegment))
                fehler("Uhrbilder");
        if (a.ZielSichtbar != (s.Uhrsegment < l.Sichtdauer || l.VorlageBleibt))
            fehler("Sichtbarkeit der Zielanzeige");
    }

    std::uint32_t Seed;
    std::mt19937 Wuerfel;
    Spielumgebung U;
    std::vector<std::vector<TColor>> Erwartet;
    std::string Fehler;
};

void Laufen(const std::vector<std::uint32_t>& seeds, long zuegeJeSeed)
{
    long zuege = 0;
    long spiele = 0;
    long siege = 0;
    for (std::uint32_t seed : seeds) {
        std::cout << "seed " << seed << std::endl;
        Dauerlauf lauf(seed);
        const std::string fehler = lauf.Spielen(zuegeJeSeed);
        ASSERT_EQ(fehler, "");
        zuege += lauf.Zuege;
        spiele += lauf.Spiele;
        siege += lauf.Siege;
    }
    std::cout << spiele << " Spiele, " << siege << " Siege, " << zuege << " Zuege" << std::endl;
    // Most games must end in a win, or the walk misses the end of the game.
    EXPECT_GT(siege * 2, spiele);
}

} // namespace

TEST(Soak, Kurz)
{
    Laufen({ 1, 2, 3, 20261207 }, 60000);
}

TEST(Soak, Lang)
{
    Laufen({ 101, 202, 303, 404, 505, 606, 707, 808, 909, 1010 }, 100000);
}
