// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the text reader at the level of bytes: RTF first, plain text in
// its encodings, the code page tables, and the data that is no text at all.
// The view that shows the text, and its messages, is tested in
// tests/widgets/richedit_test.cpp.
#include "CodePage.h"
#include "TextReader.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringDecoder>
#include <QTextDocument>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// What the reader makes of `bytes`: its outcome and the document's text.
std::pair<TextReader::Outcome, QString> read(const QByteArray& bytes)
{
    QTextDocument document;
    const TextReader::Outcome outcome = TextReader::read(bytes, document);
    return { outcome, document.toPlainText() };
}

} // namespace

TEST(CodePage, TablesAgreeWithThePlatform)
{
    for (int codePage : { 1250, 1252 }) {
        QStringDecoder reference(QByteArray("windows-" + QByteArray::number(codePage)).constData());
        ASSERT_TRUE(reference.isValid());
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, static_cast<char>(byte));
            const QString ours = CodePage::decode(one, codePage);
            if (ours == QString(QChar(0xFFFD)))
                continue; // undefined in the code page
            EXPECT_EQ(ours, QString(reference.decode(one))) << codePage << " byte " << byte;
        }
    }
}

TEST(TextReader, ReadsRtfElsePlainTextInItsEncoding)
{
    using Outcome = TextReader::Outcome;
    EXPECT_EQ(read(R"({\rtf1\ansi\ansicpg1250 Szab\'e1lyok\par})"), std::pair(Outcome::Rtf, u("Szabályok")));
    EXPECT_EQ(read("Line one\r\nLine \xc5\x91 two\rthree\n"),
        std::pair(Outcome::PlainText, u("Line one\nLine ő two\nthree\n")));
    // Not UTF-8: Windows-1250.
    EXPECT_EQ(read("Nagyon k\xf6nny\xfb"), std::pair(Outcome::PlainText, u("Nagyon könnyű")));
    // UTF-16 with its byte-order mark, as Windows editors write it.
    EXPECT_EQ(read(QByteArray("\xff\xfe"
                              "a\0\x51\x01",
                  6)),
        std::pair(Outcome::PlainText, u("aő")));
    EXPECT_EQ(read(QByteArray("\xfe\xff\0a\x01\x51", 6)), std::pair(Outcome::PlainText, u("aő")));
    // Truncated RTF is not valid RTF: its source is shown.
    EXPECT_EQ(read(R"({\rtf1 {\b cut)"), std::pair(Outcome::PlainText, u(R"({\rtf1 {\b cut)")));
    EXPECT_EQ(read(""), std::pair(Outcome::PlainText, QString()));
}

TEST(TextReader, RefusesBinaryDataAndDataPastTheLimit)
{
    using Outcome = TextReader::Outcome;
    EXPECT_EQ(read(QByteArray("\x7f"
                              "ELF\x02\x01\x01\0\0\0",
                       10))
                  .first,
        Outcome::NotText);
    // Starts like RTF but is neither valid RTF nor text.
    EXPECT_EQ(read(QByteArray("{\\rtf1 \0\0\0", 10)).first, Outcome::NotText);
    // Odd-length UTF-16, and UTF-16 holding a NUL.
    EXPECT_EQ(read(QByteArray("\xff\xfe"
                              "a\0b",
                       5))
                  .first,
        Outcome::NotText);
    EXPECT_EQ(read(QByteArray("\xff\xfe"
                              "a\0\0\0",
                       6))
                  .first,
        Outcome::NotText);
    // Larger than any instructions text: refused, not read for minutes.
    EXPECT_EQ(read(QByteArray(TextReader::maxInputBytes, 'a')).first, Outcome::PlainText);
    EXPECT_EQ(read(QByteArray(TextReader::maxInputBytes + 1, 'a')).first, Outcome::TooLarge);
}
