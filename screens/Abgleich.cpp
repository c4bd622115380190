// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A shape widget kept in step with a plain shape state of the model.
#include "Abgleich.h"

#include "Figur.h"
#include "Shape.h"

void figurAbgleichen(TShape* form, const TFigur& soll, const TFigur& ist, bool bekannt)
{
    if (!bekannt || soll.Shape != ist.Shape)
        form->setShape(soll.Shape);
    if (!bekannt || !gleicheLage(soll, ist))
        form->setGeometry(soll.Left, soll.Top, soll.Width, soll.Height);
    if (!bekannt || soll.BrushColor != ist.BrushColor)
        form->setBrushColor(soll.BrushColor);
    if (!bekannt || soll.Visible != ist.Visible)
        form->setVisible(soll.Visible);
}
