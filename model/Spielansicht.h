// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The view interface: the only way the game model reaches the outside world.
// The game screen implements it with its widgets; the model tests fake it.
// Strings are UTF-8.
//
// Clock contract the turn cycle relies on:
//  - UhrAbspielen plays the frames the given number of times and then reports
//    once by calling TSpielablauf::UhrStop().
//  - UhrAbspielen while a play is running cuts that play short; the cut play is
//    reported by exactly one UhrStop() (inside the call or later from the event
//    loop), before any report of the new play.
//  - UhrStoppen ends the running play and calls TSpielablauf::UhrStop() before
//    it returns; no further report comes for the play it ended.
#pragma once

#include <string>

#include "Typen.h"

class TSpielansicht {
public:
    virtual ~TSpielansicht() = default;

    // Target display fill colour (= Zielfarbe).
    virtual void ZielanzeigeFarbe(TColor farbe) = 0;
    virtual void ZielanzeigeForm(TShapeType form) = 0;
    // Show / hide the target display.
    virtual void ZielanzeigeSichtbar(bool sichtbar) = 0;
    // Clock segment picture 0..5.
    virtual void UhrbildSichtbar(int index, bool sichtbar) = 0;
    // The cycle always gives 1, 15, 1.
    virtual void UhrAbspielen(int erstes, int letztes, int anzahl) = 0;
    // Must call TSpielablauf::UhrStop() before it returns.
    virtual void UhrStoppen() = 0;
    // Sets the next-player screen's `Spielername` and shows it without waiting.
    virtual void NaechsterSpielerZeigen(const std::string& text) = 0;
    // Hit/miss cue on the game screen's player. Must not throw into the model:
    // failures are reported after the event.
    virtual void TonAbspielen(const std::string& datei) = 0;
    virtual void TonSchliessen() = 0;
    // Game screen: show and bring to front.
    virtual void SpielbildschirmZeigen() = 0;
    // Game screen: hide.
    virtual void SpielbildschirmSchliessen() = 0;
    // Winner screen for board `nummer` (0-based), modal; returns when closed.
    // Must not throw into the model.
    virtual void SiegerZeigen(int nummer) = 0;
};
