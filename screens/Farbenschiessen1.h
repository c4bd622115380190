// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The setup screen: player names, number of players, difficulty, the
// instructions, the sound switch, and the buttons that start a game or end the
// program. Its life spans that of the settings, the sound switch and the
// level record, which it creates and deletes.
#pragma once

#include "Form.h"

class TImage;
class TPanel;
class TGroupBox;
class TRichEdit;
class TLabel;
class TEdit;
class TRadioGroup;
class TButton;
class TStaticText;

class TFarbenSchiessen : public TForm {
public:
    TFarbenSchiessen();
    ~TFarbenSchiessen() override;

    // "Játék": stores the choices and starts a game on the game screen.
    void Button1Click();
    // "Vége": ends the program at once.
    void EndeClick();
    // "Útmutató": opens the instructions (reading the file afresh) or closes them.
    void AnleitungClick();
    // The sound button: switches sound off or on.
    void TonClick();

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TPanel* Panel3 = nullptr;
    TGroupBox* TextAnleitung = nullptr;
    TRichEdit* InhaltAnleitung = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Spieler1Name = nullptr;
    TEdit* Spieler2Name = nullptr;
    TRadioGroup* Schwierigkeitsstufe = nullptr;
    TButton* Ende = nullptr;
    TButton* Button1 = nullptr;
    TRadioGroup* KAnzahlSpieler = nullptr;
    TGroupBox* TitelAnleitung = nullptr;
    TStaticText* StaticText4 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TStaticText* StaticText1 = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TStaticText* StaticText3 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TStaticText* StaticText2 = nullptr;
    TButton* Anleitung = nullptr;
    TGroupBox* Logo = nullptr;
    TLabel* Label1 = nullptr;
    TButton* Ton = nullptr;

private:
    void SpielobjekteFreigeben();
};

extern TFarbenSchiessen* FarbenSchiessen;
