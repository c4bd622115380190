// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small, bounded reader of Rich Text Format into a QTextDocument. It covers
// what ordinary word processors write: groups, the font and colour tables,
// character formatting (bold, italic, underline, strike-out, size, font,
// colours, super- and subscript, hidden text), paragraphs with alignment,
// indents and spacing, line breaks, tabs, 8-bit text in the document's or the
// font's code page, \uN with its fallback characters and the named special
// characters. Destinations it does not show (style sheet, document info,
// pictures, objects, headers and footers, \* groups) are skipped.
//
// "Valid RTF" here means: the data opens with "{\rtf", every group is closed
// before the data ends, groups nest at most maxDepth deep, control words and
// their numbers stay within the lengths the format allows, \binN data lies
// inside the file, and the data is at most maxInputBytes long. Anything after
// the closing brace of the outermost group is ignored. The reader is a single
// forward pass over the bytes, so its time is linear in the input and the
// document it builds has at most one character per input byte.
#pragma once

#include <QtGlobal>

class QByteArray;
class QTextDocument;

class RtfReader {
public:
    // Groups nested deeper than this make the data invalid RTF.
    static constexpr int maxDepth = 500;
    // Longer data is refused as a whole: an instructions text is a few
    // kilobytes, and two megabytes of dense paragraphs already take seconds
    // to lay out.
    static constexpr qsizetype maxInputBytes = 2 * 1024 * 1024;
    // Qt's layout of a paragraph slows with every change of formatting in it
    // (half a million take seconds). Past this many runs of different
    // formatting, the rest of a paragraph keeps the format of its last run:
    // the text is all there, only its formatting is simplified.
    static constexpr int maxRunsPerParagraph = 1000;
    // Every font name costs a font lookup when the text is laid out (20000
    // take a quarter of a minute); font table entries past this many are
    // ignored, and text in them is shown in the default font.
    static constexpr int maxFonts = 512;

    // True when the data opens like an RTF file ("{\rtf").
    static bool looksLikeRtf(const QByteArray& data);

    // Replaces the document's content with the RTF in data. Returns false if
    // the data is not valid RTF; the document's content is then unspecified,
    // so callers read into a document of their own first.
    static bool read(const QByteArray& data, QTextDocument& document);
};
