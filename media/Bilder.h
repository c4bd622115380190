// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The built-in pictures of the screens and the program icon, compiled into
// the program as a Qt resource (:/bilder/<Name>.png). Each function returns
// a fresh copy; the resource is registered on first use, so callers need no
// set-up of their own.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

void initMediaResources();

QImage Titelbild(); // 800 x 300: logo, title word and slogan
QImage TitelbildOhneMotto(); // 800 x 300: the same without the slogan
QImage Kartenbild(); // 800 x 255: tiles, question mark, light-blue panel
QImage Fussleiste(); // 800 x 45: company line and company logo
QImage Spielleiste(); // 800 x 45: title word and small logo
QIcon Programmsymbol(); // the eye of the logo, 16 to 256 pixels

// What each picture says, as assistive technology reads it: the words drawn
// in it, or what it shows where it holds none.
QString TitelbildText();
QString TitelbildOhneMottoText();
QString KartenbildText();
QString FussleisteText();
QString SpielleisteText();
