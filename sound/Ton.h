// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound cues: play a cue file on a media player, and close the player.
// Both do nothing while the sound switch is off, so no player is touched.
#pragma once

class QString;
class TMediaPlayer;

// Sets the player's file name (the cue file as the media file lookup finds it
// now: the working directory, then the installed data folder), opens it and
// starts it; returns as soon as it plays. A cue that cannot be opened is reported in the error box once the
// current event has been handled, and the caller goes on as if it had played.
void TonAbspielen(TMediaPlayer& player, const QString& datei);

// Closes the player, silencing a cue still sounding.
void TonSchliessen(TMediaPlayer& player);
