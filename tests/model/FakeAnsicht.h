// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A fake of the game screen for the model tests: records every view call and
// plays a clock that keeps the screen's rules. A stop reports inside the stop;
// a play that cuts a running play short reports the cut play once (at once, or
// later when AbbruchVerzoegert is set), before the new play's own report; a
// finished play reports once when the test calls UhrLaeuftAb().
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Konfiguration1.h"
#include "Level1.h"
#include "Spielablauf.h"
#include "Spielansicht.h"

class FakeAnsicht : public TSpielansicht {
public:
    // The cycle the clock reports to.
    TSpielablauf* Spiel = nullptr;

    // Clock.
    bool Laeuft = false;
    bool AbbruchVerzoegert = false;
    int OffeneMeldungen = 0;
    int Abspielungen = 0;
    int Stopps = 0;
    int Meldungen = 0;
    std::array<int, 3> LetzteAbspielung {};
    // AktuellerSpieler right after the stop's report returned.
    int SpielerNachStopp = -1;

    // Target display and segment pictures.
    TColor Zielfarbe = clWhite;
    TShapeType Zielform = stRectangle;
    bool ZielSichtbar = false;
    std::array<bool, 6> Uhrbilder {};

    std::vector<std::string> Protokoll;
    std::vector<std::string> NaechsteSpieler;
    std::vector<std::string> Toene;
    int TonGeschlossen = 0;
    bool Bildschirm = false;
    std::vector<int> Sieger;
    // Runs inside SiegerZeigen, as the winner screen's nested event loop would.
    std::function<void(int)> BeiSieg;

    void ZielanzeigeFarbe(TColor farbe) override { Zielfarbe = farbe; }
    void ZielanzeigeForm(TShapeType form) override { Zielform = form; }
    void ZielanzeigeSichtbar(bool sichtbar) override { ZielSichtbar = sichtbar; }
    void UhrbildSichtbar(int index, bool sichtbar) override
    {
        Uhrbilder.at(static_cast<std::size_t>(index)) = sichtbar;
    }
    void UhrAbspielen(int erstes, int letztes, int anzahl) override
    {
        Protokoll.push_back("UhrAbspielen");
        ++Abspielungen;
        LetzteAbspielung = { erstes, letztes, anzahl };
        const bool abgebrochen = Laeuft;
        Laeuft = true;
        if (abgebrochen) {
            if (AbbruchVerzoegert)
                ++OffeneMeldungen;
            else
                Melden();
        }
    }
    void UhrStoppen() override
    {
        Protokoll.push_back("UhrStoppen");
        ++Stopps;
        Laeuft = false;
        Melden();
        SpielerNachStopp = Spiel->AktuellerSpieler;
    }
    void NaechsterSpielerZeigen(const std::string& text) override
    {
        Protokoll.push_back("NaechsterSpieler");
        NaechsteSpieler.push_back(text);
    }
    void TonAbspielen(const std::string& datei) override { Toene.push_back(datei); }
    void TonSchliessen() override { ++TonGeschlossen; }
    void SpielbildschirmZeigen() override
    {
        Protokoll.push_back("Zeigen");
        Bildschirm = true;
    }
    void SpielbildschirmSchliessen() override
    {
        Protokoll.push_back("Schliessen");
        Bildschirm = false;
    }
    void SiegerZeigen(int nummer) override
    {
        Protokoll.push_back("Sieger");
        Sieger.push_back(nummer);
        if (BeiSieg)
            BeiSieg(nummer);
    }

    // Delivers reports of cut-short plays that are still waiting.
    void MeldungenZustellen()
    {
        while (OffeneMeldungen > 0) {
            --OffeneMeldungen;
            Melden();
        }
    }
    // The running play comes to its end.
    void UhrLaeuftAb()
    {
        MeldungenZustellen();
        if (!Laeuft)
            return;
        Laeuft = false;
        Melden();
    }

private:
    void Melden()
    {
        ++Meldungen;
        Spiel->UhrStop();
    }
};

// Settings, level record, fake screen and cycle wired together.
struct Spielumgebung {
    explicit Spielumgebung(std::uint32_t seed = 12345, int spieler = 1, int schwierigkeit = 0)
    {
        ansicht.Spiel = &spiel;
        spiel.ZufallStarten(seed);
        konfiguration.AnzahlSpieler = spieler;
        konfiguration.SpielerNamen = { "Anna", "Béla" };
        level.SchwierigkeitAnwenden(schwierigkeit);
    }

    TKonfiguration konfiguration;
    TLevel level;
    FakeAnsicht ansicht;
    TSpielablauf spiel { konfiguration, level, ansicht };
};
