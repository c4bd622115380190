// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The small picture the tests of the picture reader and of the picture
// widget read, key and draw.
#pragma once

#include <QImage>

inline const QRgb green = qRgb(0, 200, 0);
inline const QRgb red = qRgb(255, 0, 0);

// 4 x 3, green, with red in the bottom-left corner and at (2, 0).
inline QImage testPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(green);
    image.setPixel(0, 2, red);
    image.setPixel(2, 0, red);
    return image;
}
