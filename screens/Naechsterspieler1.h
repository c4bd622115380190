// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The next-player screen: names the player whose turn it is. The game screen
// sets the text and shows it without waiting; its "Ok" only hides it.
#pragma once

#include "Form.h"

class TImage;
class TPanel;
class TButton;
class TLabel;

class TNaechsterSpieler : public TForm {
public:
    TNaechsterSpieler();
    ~TNaechsterSpieler() override;

    void OkClick();

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Spielername = nullptr;
    TPanel* Panel1 = nullptr;
    TImage* Image3 = nullptr;
    TButton* Ok = nullptr;
};

extern TNaechsterSpieler* NaechsterSpieler;
