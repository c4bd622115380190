// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The winner screen: congratulates the winning player by name while the
// winner cue plays. It is shown modally; its "Ok" closes it and so lets the
// game end.
#pragma once

#include "Form.h"

class TImage;
class TPanel;
class TButton;
class TLabel;
class TMediaPlayer;

class TGewonnen : public TForm {
public:
    TGewonnen();
    ~TGewonnen() override;

    // Shows the screen for the player with the 0-based index nummer and
    // returns once it has been closed.
    void SiegerZeigen(int nummer);
    void OkClick();

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label3 = nullptr;
    TButton* Ok = nullptr;
    TMediaPlayer* MediaPlayer = nullptr;
};

extern TGewonnen* Gewonnen;
