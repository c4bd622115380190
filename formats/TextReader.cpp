// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading a text file: RTF first, then plain text in the encodings the
// Windows editors of old and new write.
#include "TextReader.h"

#include "CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QTextDocument>

#include <optional>

namespace {

// The plain-text reading of read(), line ends made '\n'; nothing when
// the bytes are not text.
std::optional<QString> decodePlainText(const QByteArray& bytes)
{
    QString decoded;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // UTF-16, as Windows editors write "Unicode" text.
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        decoded = decoder.decode(bytes.mid(2));
        if (decoder.hasError() || decoded.contains(QChar(0)))
            return std::nullopt;
    } else {
        if (bytes.contains('\0'))
            return std::nullopt;
        QStringDecoder utf8(QStringConverter::Utf8);
        decoded = utf8.decode(bytes);
        if (utf8.hasError())
            decoded = CodePage::decode(bytes, 1250);
    }
    decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return decoded;
}

} // namespace

TextReader::Outcome TextReader::read(const QByteArray& bytes, QTextDocument& document)
{
    if (bytes.size() > maxInputBytes)
        return Outcome::TooLarge;
    if (RtfReader::read(bytes, document))
        return Outcome::Rtf;
    const std::optional<QString> text = decodePlainText(bytes);
    if (!text)
        return Outcome::NotText;
    document.setPlainText(*text);
    return Outcome::PlainText;
}
