// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound cues on a media player, guarded by the sound switch. A cue that
// cannot be opened is only reported: the game step that wanted it goes on.
#include "Ton.h"

#include "Application.h"
#include "Hardware1.h"
#include "MediaPlayer.h"
#include "Mediendateien.h"
#include "ToolkitError.h"

#include <QString>

namespace {

bool tonAn()
{
    return Hardware != nullptr && Hardware->Tonschalter;
}

} // namespace

void TonAbspielen(TMediaPlayer& player, const QString& datei)
{
    if (!tonAn())
        return;
    player.setFileName(Mediendatei(datei));
    try {
        player.Open();
    } catch (const EMCIDeviceError& fehler) {
        // A missing or unplayable cue must not cut the game step short; the
        // box comes once the event that wanted the cue has been handled.
        if (auto* app = TApplication::instance())
            app->reportAfterEvent(fehler.text());
        return;
    }
    player.Play();
}

void TonSchliessen(TMediaPlayer& player)
{
    if (!tonAn())
        return;
    player.Close();
}
