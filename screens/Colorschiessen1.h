// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game screen: the field of tiles, the player boards, the target display,
// the clock with its six segment pictures, and the skip and back buttons. It
// owns the turn cycle and is its view: the cycle's view operations act on the
// widgets here, and after every event the tile and board widgets are brought
// to the cycle's plain state.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "Spielansicht.h"

class TImage;
class TLabel;
class TPanel;
class TGroupBox;
class TButton;
class TAnimate;
class TShape;
class TStaticText;
class TMediaPlayer;
class TSpielablauf;
class TKartenbild;
class TKartencursor;
class TSpielertafel;

class TColorSchiessen : public TForm, public TSpielansicht {
public:
    // Needs the settings and the level record (the setup screen makes them).
    // Throws the toolkit's error when "TintariumUhr.avi" or "TintariumUhr.bmp"
    // cannot be read.
    TColorSchiessen();
    ~TColorSchiessen() override;

    // The setup screen's play button: a new game with the stored choices.
    void NeuesSpiel();

    // Event handlers of the screen's widgets.
    void KarteMouseDown(int index);
    void NeueFarbeClick();
    void EndeClick();
    void BossKey();
    void UhrStop();

    // Brings the tile and board widgets to the cycle's state, changing only
    // what differs.
    void Abgleichen();

    TSpielablauf& Spiel() { return *m_spiel; }

    // TSpielansicht
    void ZielanzeigeFarbe(TColor farbe) override;
    void ZielanzeigeForm(TShapeType form) override;
    void ZielanzeigeSichtbar(bool sichtbar) override;
    void UhrbildSichtbar(int index, bool sichtbar) override;
    void UhrAbspielen(int erstes, int letztes, int anzahl) override;
    void UhrStoppen() override;
    void NaechsterSpielerZeigen(const std::string& text) override;
    void TonAbspielen(const std::string& datei) override;
    void TonSchliessen() override;
    void SpielbildschirmZeigen() override;
    void SpielbildschirmSchliessen() override;
    void SiegerZeigen(int nummer) override;

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Boss = nullptr;
    TPanel* Panel1 = nullptr;
    TGroupBox* Feld = nullptr;
    TButton* NeueFarbe = nullptr;
    TButton* Ende = nullptr;
    TGroupBox* AnzeigeUhr = nullptr;
    TAnimate* Uhr = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TShape* TonvorlageAnzeige = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TStaticText* StaticText1 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TStaticText* StaticText2 = nullptr;
    TMediaPlayer* MediaPlayer = nullptr;
    // The clock's segment pictures, hidden one by one as segments expire.
    std::array<TImage*, 6> UhrBilder {};

    // The widgets of each tile of the field, by tile index.
    std::vector<std::unique_ptr<TKartenbild>> Karten;
    // The widgets of each board of the running game, by player number.
    std::vector<std::unique_ptr<TSpielertafel>> Tafeln;
    // The keyboard's cursor on the field (a child of Feld).
    TKartencursor* Kartencursor = nullptr;

private:
    void WidgetsBauen();
    void UhrBilderLaden();

    std::unique_ptr<TSpielablauf> m_spiel;
};

extern TColorSchiessen* ColorSchiessen;
