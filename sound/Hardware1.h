// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// THardware: the sound switch. At construction it asks, once, how many wave
// and MIDI outputs the machine has; with none of either kind sound stays off
// and the setup screen's `Ton` button is disabled. The button's caption always
// names what a click would do: "Ton aus" while sound is on, "Ton ein" while off.
#pragma once

#include <functional>

class TButton;

// The device counts asked at start-up; tests put their own numbers in.
struct Ausgabezaehler {
    std::function<int()> wellenausgaenge; // wave outputs
    std::function<int()> midiausgaenge; // MIDI outputs
    // The sound server's sinks, and the ALSA sequencer's writable,
    // subscribable ports (OutputCount).
    static Ausgabezaehler System();
};

class THardware {
public:
    // Runs the detection (both counts, always, wave first) and sets the
    // caption and enabled state of `ton`.
    explicit THardware(TButton* ton, const Ausgabezaehler& zaehler = Ausgabezaehler::System());

    // Flips the switch and the caption; does not look at the devices again.
    void Umschalten();

    bool Tonschalter = true;

private:
    // The caption names what a click would do.
    void zeigen();

    TButton* m_ton;
};

extern THardware* Hardware;
