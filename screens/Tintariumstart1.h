// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start screen: title picture, card picture and the "Start" button that
// brings up the setup screen. It is created first and so is the main window;
// closing it ends the program.
#pragma once

#include "Form.h"

class TImage;
class TPanel;
class TButton;

class TTintariumStart : public TForm {
public:
    TTintariumStart();
    ~TTintariumStart() override;

    // "Start": the setup screen comes to the front; this screen stays behind it.
    void OkClick();

    TImage* Image2 = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TImage* Image3 = nullptr;
    TButton* Ok = nullptr;
};

extern TTintariumStart* TintariumStart;
