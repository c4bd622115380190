// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The widgets of one player board on the game screen: the frame with its
// caption, the title frame over its top strip, the title with the player's
// name, and the hit marks. They mirror the model's plain board state, changing
// only what differs, and are deleted with the board at the end of a game.
#pragma once

#include <vector>

#include "Figur.h"
#include "Kasten.h"

class QWidget;
class TGroupBox;
class TStaticText;
class TShape;
class TSpieler;

class TSpielertafel {
public:
    // Builds the widgets on `bildschirm` in the board's order (frame, title
    // frame, title, marks) and shows the board's state.
    TSpielertafel(QWidget* bildschirm, const TSpieler& spieler);
    ~TSpielertafel();
    TSpielertafel(const TSpielertafel&) = delete;
    TSpielertafel& operator=(const TSpielertafel&) = delete;

    void Abgleichen(const TSpieler& spieler);

    TGroupBox* Rahmen;
    TGroupBox* Titelrahmen;
    TStaticText* Titel;
    std::vector<TShape*> Treffer;

private:
    struct Gezeigt {
        TKasten rahmen, titelrahmen, titel;
        std::vector<TFigur> treffer;
    };
    bool m_bekannt = false;
    Gezeigt m_gezeigt;
};
