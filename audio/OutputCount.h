// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The count of the machine's sound outputs, asked once at start-up: the sinks
// of the sound server (PulseAudio, or PipeWire's PulseAudio server) through
// libpulse, on which the cues are played, and the MIDI outputs through the
// ALSA sequencer. Either count is 0 when there is nothing to ask.
#pragma once

#include <chrono>

namespace OutputCount {

// The sinks the sound server lists. 0 when no server takes the connection
// (which fails at once), or when the server has not listed its sinks within
// `wait`, as a server does that accepts the connection and never answers.
// The wait is spent only then.
int pulseSinks(std::chrono::milliseconds wait);

// The ALSA sequencer's writable, subscribable ports outside its system
// client; 0 when there is no sequencer.
int midiPorts();

} // namespace OutputCount
