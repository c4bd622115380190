// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three sound cues, synthesised from a few harmonic partials under
// smooth envelopes, and their files: 16-bit mono PCM WAV at 44100 Hz.
#pragma once

#include <QByteArray>

#include <vector>

namespace Klaenge {

inline constexpr int Abtastrate = 44100;
// Peak level of every cue: -3 dBFS, leaving head room below full scale.
inline constexpr double Spitze = 0.708;

using Signal = std::vector<double>; // samples in -1..1

// Hit: a bright rising two-note chime, about 0.5 s.
Signal Richtig();
// Miss: two low descending buzzy notes, about 0.55 s.
Signal Falsch();
// Win: a rising arpeggio ending in a held major chord, about 1.6 s.
Signal Gewonnen();

QByteArray wav(const Signal& signal);

} // namespace Klaenge
