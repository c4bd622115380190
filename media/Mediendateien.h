// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the game finds its six media files. They are read by plain name from
// the working directory, as always; a file that is not there is taken from
// the data folder of the installed game, which lies at a fixed place relative
// to the program (the install layout), so an install under any prefix, or a
// package unpacked into any folder, finds its files from any working directory.
#pragma once

#include <QString>

// The name to open for the media file `name` (a plain file name), looked up at
// the moment of the call: `name` itself when the working directory holds it;
// otherwise its path in the installed data folder when that holds it; and
// otherwise `name` again, so that a missing file is reported by its plain name.
QString Mediendatei(const QString& name);

// The same lookup with the data folder given; an empty folder means none.
QString Mediendatei(const QString& name, const QString& datenordner);
