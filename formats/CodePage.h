// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// CodePage: 8-bit text in the Windows code pages. Windows-1250 (Central
// European, the game's Hungarian texts) and Windows-1252 (Western) are
// decoded from tables of our own, so they never depend on the platform's
// converters; any other code page goes through Qt's converters.
#pragma once

#include <QString>

class QByteArray;

class CodePage {
public:
    // Decodes bytes in `codePage` (1250, 1252 and whatever the platform's
    // converters know; anything else is read as 1252). Bytes that the code
    // page leaves undefined become U+FFFD.
    static QString decode(const QByteArray& bytes, int codePage);

    // The code page of a font character set (RTF's \fcharset, Windows'
    // lfCharSet); 0 for the default set and any other.
    static int ofCharset(int charset);
};
