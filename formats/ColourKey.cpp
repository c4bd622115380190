// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour key: one pass over the pixels of an ARGB32 copy.
#include "ColourKey.h"

#include <utility>

QImage withoutKeyColour(QImage image, QRgb key)
{
    constexpr QRgb colourBits = 0x00FFFFFFu;
    QImage keyed = std::move(image).convertToFormat(QImage::Format_ARGB32);
    const QRgb colour = key & colourBits;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & colourBits) == colour)
                line[x] = 0;
    }
    return keyed;
}
