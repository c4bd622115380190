// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound decoder process: the side of the decoder that runs libsndfile.
// SoundDecoder forks it and talks to it over a socket (SoundWire.h); it
// answers one request after the other until the game closes its end.
#pragma once

#include <sys/types.h>

// Runs in the child right after the fork and never returns: `socket` is the
// decoder's end, `gameEnd` the game's end (closed here), `game` the process
// that forked it, which the decoder does not outlive.
[[noreturn]] void runSoundDecoderProcess(int socket, int gameEnd, pid_t game);
