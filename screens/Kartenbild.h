// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The widgets of one tile in the field: the shape the player presses and the
// reveal label above it. They mirror the model's plain tile state and change
// only the properties that differ from what they show, so an unchanged tile is
// never repainted.
#pragma once

#include <functional>

#include "Beschriftung.h"
#include "Figur.h"

class QWidget;
class TShape;
class TLabel;
class TKarten;

class TKartenbild {
public:
    // Creates the shape, then the label, in `feld`: the label is created later
    // and so lies above the shape and takes the presses on it.
    TKartenbild(QWidget* feld, std::function<void()> mouseDown);

    // Brings both widgets to the tile's state.
    void Abgleichen(const TKarten& karte);

    TShape* Form;
    TLabel* Hinweis;

private:
    // What the widgets show; empty until the first comparison.
    bool m_bekannt = false;
    TFigur m_form;
    TBeschriftung m_hinweis;
};
