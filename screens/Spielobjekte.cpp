// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two global game objects' pointers, null while no setup screen exists.
#include "Spielobjekte.h"

TKonfiguration* Konfiguration = nullptr;
TLevel* Level = nullptr;
