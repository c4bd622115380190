// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Cost of the game model's work per event: the three steps of a hit (new
// draw, new deal, new showing), alone and together, and a whole simulated
// game against a screen that does nothing but keep the clock's rules.
#include <benchmark/benchmark.h>

#include "Konfiguration1.h"
#include "Level1.h"
#include "Spielablauf.h"
#include "Spielansicht.h"

namespace {

class StilleAnsicht : public TSpielansicht {
public:
    TSpielablauf* Spiel = nullptr;
    bool Laeuft = false;

    void ZielanzeigeFarbe(TColor) override { }
    void ZielanzeigeForm(TShapeType) override { }
    void ZielanzeigeSichtbar(bool) override { }
    void UhrbildSichtbar(int, bool) override { }
    void UhrAbspielen(int, int, int) override
    {
        const bool abgebrochen = Laeuft;
        Laeuft = true;
        if (abgebrochen)
            Spiel->UhrStop();
    }
    void UhrStoppen() override
    {
        Laeuft = false;
        Spiel->UhrStop();
    }
    void NaechsterSpielerZeigen(const std::string&) override { }
    void TonAbspielen(const std::string&) override { }
    void TonSchliessen() override { }
    void SpielbildschirmZeigen() override { }
    void SpielbildschirmSchliessen() override { }
    void SiegerZeigen(int) override { }
    void UhrLaeuftAb()
    {
        if (Laeuft) {
            Laeuft = false;
            Spiel->UhrStop();
        }
    }
};

struct Umgebung {
    explicit Umgebung(int spieler, int schwierigkeit)
    {
        ansicht.Spiel = &spiel;
        spiel.ZufallStarten(12345);
        konfiguration.AnzahlSpieler = spieler;
        level.SchwierigkeitAnwenden(schwierigkeit);
    }
    TKonfiguration konfiguration;
    TLevel level;
    StilleAnsicht ansicht;
    TSpielablauf spiel { konfiguration, level, ansicht };
};

void FarbenZiehen(benchmark::State& state)
{
    Umgebung u(1, 4);
    u.level.Abweichung = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        u.spiel.FarbenZiehen();
        benchmark::DoNotOptimize(u.spiel.Farbliste.data());
    }
}
BENCHMARK(FarbenZiehen)->Arg(60)->Arg(10);

void FarbenVerteilen(benchmark::State& state)
{
    Umgebung u(1, 4);
    u.spiel.FarbenZiehen();
    for (auto _ : state) {
        u.spiel.FarbenVerteilen();
        benchmark::DoNotOptimize(u.spiel.Kartenfeld.data());
    }
}
BENCHMARK(FarbenVerteilen);

void KartenZeigen(benchmark::State& state)
{
    Umgebung u(1, static_cast<int>(state.range(0)));
    u.spiel.NeuesSpiel();
    for (auto _ : state) {
        u.spiel.KartenZeigen();
        benchmark::DoNotOptimize(u.spiel.Kartenfeld.data());
    }
}
BENCHMARK(KartenZeigen)->Arg(0)->Arg(4);

// The field work of one hit that does not win.
void EinTreffer(benchmark::State& state)
{
    Umgebung u(1, 4);
    u.spiel.NeuesSpiel();
    for (auto _ : state) {
        u.spiel.FarbenZiehen();
        u.spiel.FarbenVerteilen();
        u.spiel.KartenZeigen();
        benchmark::DoNotOptimize(u.spiel.Kartenfeld.data());
    }
}
BENCHMARK(EinTreffer);

// A whole game: the current player hits a shown target tile when there is
// one, otherwise lets one clock segment expire.
void GanzesSpiel(benchmark::State& state)
{
    Umgebung u(static_cast<int>(state.range(0)), 4);
    std::int64_t ereignisse = 0;
    for (auto _ : state) {
        u.spiel.NeuesSpiel();
        while (u.spiel.SpielLaeuft()) {
            int ziel = -1;
            for (int i : u.spiel.GezeigteKarten)
                if (u.spiel.Kartenfeld[static_cast<std::size_t>(i)].Farbe == u.spiel.Zielfarbe)
                    ziel = i;
            if (ziel >= 0)
                u.spiel.KarteMouseDown(ziel);
            else
                u.ansicht.UhrLaeuftAb();
            ++ereignisse;
        }
    }
    state.counters["Ereignisse/Spiel"]
        = benchmark::Counter(static_cast<double>(ereignisse), benchmark::Counter::kAvgIterations);
}
BENCHMARK(GanzesSpiel)->Arg(1)->Arg(2);

} // namespace

BENCHMARK_MAIN();
