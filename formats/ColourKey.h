// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The colour key of the clock's pictures: the pixels of one colour are a
// picture's background and are left out, so that what lies below shows
// through. The clip keys on its first frame's top-left pixel, the segment
// picture on its bottom-left one.
#pragma once

#include <QImage>

// `image` as ARGB32 with every pixel whose red, green and blue equal the
// key's (alpha aside) made fully transparent. An image passed by move is
// changed in place where its format allows.
QImage withoutKeyColour(QImage image, QRgb key);
