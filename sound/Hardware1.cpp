// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound switch: detection of wave and MIDI outputs at start-up, and the
// toggle behind the setup screen's `Ton` button.
#include "Hardware1.h"

#include "Button.h"
#include "OutputCount.h"

#include <QString>

#include <chrono>

THardware* Hardware = nullptr;

namespace {

// How long start-up waits at most for the sound server's list of sinks. A
// server that is not there refuses at once, and a live one answers within
// milliseconds; only one that takes the connection and does not answer costs
// the whole wait, and counts as no output.
constexpr std::chrono::milliseconds kServerWait { 500 };

} // namespace

Ausgabezaehler Ausgabezaehler::System()
{
    return { [] { return OutputCount::pulseSinks(kServerWait); }, OutputCount::midiPorts };
}

THardware::THardware(TButton* ton, const Ausgabezaehler& zaehler)
    : m_ton(ton)
{
    Tonschalter = true;
    zeigen();
    // Both counts are always asked, wave first.
    const int wellen = zaehler.wellenausgaenge ? zaehler.wellenausgaenge() : 0;
    const int midi = zaehler.midiausgaenge ? zaehler.midiausgaenge() : 0;
    if (wellen == 0 && midi == 0) {
        Tonschalter = false;
        zeigen();
        if (m_ton)
            m_ton->setEnabled(false);
    }
}

void THardware::Umschalten()
{
    Tonschalter = !Tonschalter;
    zeigen();
}

void THardware::zeigen()
{
    if (m_ton)
        m_ton->setCaption(Tonschalter ? QStringLiteral("Ton aus") : QStringLiteral("Ton ein"));
}
