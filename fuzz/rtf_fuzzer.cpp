// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target of the instructions reader: TextReader reads the bytes as RTF
// and, when they are not valid RTF, as plain text, as the instructions view
// does; whatever is read is laid out at the width of the setup screen's
// view. The reading needs no application; the layout needs fonts, and so a
// QGuiApplication (on the offscreen platform), but no widgets.
#include "FuzzSupport.h"
#include "TextReader.h"

#include <QByteArray>
#include <QSizeF>
#include <QTextDocument>
#include <QTextOption>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Raw data, not a copy: the sanitizer then sees any read past its end.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    document.setTextWidth(273);
    QTextOption wrapping = document.defaultTextOption(); // as TRichEdit wraps
    wrapping.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wrapping);
    switch (TextReader::read(bytes, document)) {
    case TextReader::Outcome::Rtf:
        reportOutcome(QStringLiteral("RTF, %1 paragraphs").arg(document.blockCount()));
        break;
    case TextReader::Outcome::PlainText:
        reportOutcome(QStringLiteral("plain text, %1 paragraphs").arg(document.blockCount()));
        break;
    case TextReader::Outcome::TooLarge: reportOutcome(QStringLiteral("too large")); return 0;
    case TextReader::Outcome::NotText: reportOutcome(QStringLiteral("neither RTF nor text")); return 0;
    }
    volatile qreal height = document.size().height(); // lays the document out
    (void)height;
    return 0;
}
