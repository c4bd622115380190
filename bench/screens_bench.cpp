// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One shot on the game screen, as the player makes it: from a real mouse
// press on a tile's shape to the repainted window (the shot, the new field,
// the changed widgets painted by the event loop). Reports the median and the
// 99th percentile over 1,000 shots, for misses and for hits, and for a
// change of player, which raises the next-player screen and closes it again;
// then misses and hits once the sound server has gone away in the middle of
// the session, when every shot's cue fails and is reported (the error boxes
// are counted).
//
// Runs on Qt's offscreen platform with the game's media files from
// <build>/game (or the folder named by TINTARIUM_MEDIA), against a sound
// server of its own (tests/support/sound-server.sh).
#include <benchmark/benchmark.h>

#include "Application.h"
#include "Colorschiessen1.h"
#include "Farbenschiessen1.h"
#include "Gewonnen1.h"
#include "Kartenbild.h"
#include "Naechsterspieler1.h"
#include "Programmstart.h"
#include "RadioGroup.h"
#include "Shape.h"
#include "Spielablauf.h"
#include "Spieler1.h"
#include "Tintariumstart1.h"

#include "PulseServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

PulseServer* soundServer = nullptr;
int errorBoxes = 0;

// A shown tile with or without the target colour; skips turns until one exists.
int karte(bool treffer)
{
    TSpielablauf& spiel = ColorSchiessen->Spiel();
    for (;;) {
        for (std::size_t i = 0; i < spiel.Kartenfeld.size(); ++i)
            if (spiel.Kartenfeld[i].Form.Visible && (spiel.Kartenfeld[i].Farbe == spiel.Zielfarbe) == treffer)
                return static_cast<int>(i);
        ColorSchiessen->NeueFarbeClick();
    }
}

void drueckenUndMalen(int index)
{
    TShape* form = ColorSchiessen->Karten[static_cast<std::size_t>(index)]->Form;
    const QPointF mitte(form->width() / 2.0, form->height() / 2.0);
    const QPointF global = form->mapToGlobal(mitte);
    QMouseEvent druck(QEvent::MouseButtonPress, mitte, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, mitte, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form, &los);
    // The update requests of the changed widgets are delivered and painted.
    QCoreApplication::processEvents();
}

void spielStarten()
{
    ColorSchiessen->EndeClick();
    FarbenSchiessen->Button1Click();
    QCoreApplication::processEvents();
}

void zeitenMelden(benchmark::State& state, std::vector<double>& zeiten)
{
    std::sort(zeiten.begin(), zeiten.end());
    if (!zeiten.empty()) {
        state.counters["median_us"] = zeiten[zeiten.size() / 2];
        state.counters["p99_us"] = zeiten[std::min(zeiten.size() - 1, zeiten.size() * 99 / 100)];
    }
}

void schuesse(benchmark::State& state, bool treffer)
{
    spielStarten();
    const int boxesBefore = errorBoxes;
    std::vector<double> zeiten;
    for (auto _ : state) {
        if (treffer && ColorSchiessen->Spiel().Spielerliste[0]->AnzahlTreffer >= TSpieler::Siegtreffer - 1)
            spielStarten();
        const int i = karte(treffer);
        const auto anfang = std::chrono::steady_clock::now();
        drueckenUndMalen(i);
        const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
        state.SetIterationTime(dauer.count());
        zeiten.push_back(dauer.count() * 1e6);
    }
    zeitenMelden(state, zeiten);
    state.counters["error_boxes"] = errorBoxes - boxesBefore;
}

// The sound server goes away mid-session and stays away.
void ohneServer(benchmark::State& state, bool treffer)
{
    soundServer->stop();
    schuesse(state, treffer);
}

void BM_Fehlschuss(benchmark::State& state)
{
    schuesse(state, false);
}
void BM_Treffer(benchmark::State& state)
{
    schuesse(state, true);
}
void BM_FehlschussOhneTonserver(benchmark::State& state)
{
    ohneServer(state, false);
}
void BM_TrefferOhneTonserver(benchmark::State& state)
{
    ohneServer(state, true);
}

// A change of player: a miss with two players raises the next-player screen
// over the game (painted), and its "Ok" brings the game back (painted).
void BM_Spielerwechsel(benchmark::State& state)
{
    FarbenSchiessen->KAnzahlSpieler->setItemIndex(1);
    spielStarten();
    NaechsterSpieler->OkClick();
    QCoreApplication::processEvents();
    std::vector<double> zeiten;
    for (auto _ : state) {
        const int i = karte(false);
        const auto anfang = std::chrono::steady_clock::now();
        drueckenUndMalen(i);
        NaechsterSpieler->OkClick();
        QCoreApplication::processEvents();
        const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - anfang;
        state.SetIterationTime(dauer.count());
        zeiten.push_back(dauer.count() * 1e6);
    }
    zeitenMelden(state, zeiten);
    FarbenSchiessen->KAnzahlSpieler->setItemIndex(0);
}

BENCHMARK(BM_Fehlschuss)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Treffer)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Spielerwechsel)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
// Last: the sound server does not come back.
BENCHMARK(BM_FehlschussOhneTonserver)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrefferOhneTonserver)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Started before the screens, so that start-up finds a sound output.
    PulseServer server;
    if (!server.start()) {
        std::fprintf(stderr, "the sound server did not start\n");
        return 1;
    }
    soundServer = &server;
    TApplication app(argc, argv);
    const QString medien = qEnvironmentVariableIsSet("TINTARIUM_MEDIA")
        ? qEnvironmentVariable("TINTARIUM_MEDIA")
        : QCoreApplication::applicationDirPath() + QStringLiteral("/../game");
    if (!QDir::setCurrent(medien)) {
        std::fprintf(stderr, "media folder %s not found\n", qPrintable(medien));
        return 1;
    }
    app.setErrorBoxHandler([](const QString&, const QString& text) {
        ++errorBoxes;
        std::fprintf(stderr, "[error box] %s\n", qPrintable(text));
    });
    FormErzeugen(TintariumStart);
    FormErzeugen(FarbenSchiessen);
    FormErzeugen(ColorSchiessen);
    FormErzeugen(Gewonnen);
    FormErzeugen(NaechsterSpieler);
    TintariumStart->Show();
    FarbenSchiessen->Show();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app.destroyForms();
    return 0;
}
