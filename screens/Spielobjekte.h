// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings and the level record of the running program: two of the
// game's few globals. The setup screen creates them in its constructor and
// deletes them in its destructor; the game screen and the winner screen read
// them. (The sound switch, the third game object, is with the sound layer in
// Hardware1.h.) The model never reads these: the turn cycle is handed both.
#pragma once

class TKonfiguration;
class TLevel;

extern TKonfiguration* Konfiguration;
extern TLevel* Level;
