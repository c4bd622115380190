// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// TextReader: reads the bytes of a text file into a QTextDocument, as RTF
// when they are valid RTF (RtfReader), otherwise as plain text: UTF-16 with
// a byte-order mark, UTF-8 when the bytes are valid UTF-8, Windows-1250
// (the game's Hungarian texts) when they are not. Bytes holding a NUL (other
// than in UTF-16) are binary data, not text.
#pragma once

#include "RtfReader.h"

class QByteArray;
class QTextDocument;

class TextReader {
public:
    // Longer data is no instructions text and is refused as a whole.
    static constexpr qsizetype maxInputBytes = RtfReader::maxInputBytes;

    enum class Outcome {
        Rtf, // read as RTF
        PlainText, // read as plain text
        TooLarge, // more than maxInputBytes
        NotText, // neither valid RTF nor text
    };
    // Replaces the document's content with the text in `bytes`. The content
    // is unspecified unless it returns Rtf or PlainText, so callers read
    // into a document of their own first.
    static Outcome read(const QByteArray& bytes, QTextDocument& document);
};
