// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the RTF reader: code pages, Unicode escapes, groups and their
// formatting, paragraphs, skipped destinations, and the limits that make
// malformed or hostile data "not RTF" instead of a crash or a hang.
#include "RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <vector>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct Run {
    QString text;
    QTextCharFormat format;
};

// The document's text runs in order, paragraphs joined by '\n'.
std::vector<Run> runs(const QTextDocument& doc)
{
    std::vector<Run> result;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            result.push_back({ it.fragment().text(), it.fragment().charFormat() });
    return result;
}

// The text exactly as stored (line separators and no-break spaces kept),
// paragraphs joined by '\n'.
QString textOf(const QTextDocument& doc)
{
    QStringList blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        blocks << block.text();
    return blocks.join(QLatin1Char('\n'));
}

QString readText(const QByteArray& rtf)
{
    QTextDocument doc;
    EXPECT_TRUE(RtfReader::read(rtf, doc)) << rtf.constData();
    return textOf(doc);
}

bool isRtf(const QByteArray& data)
{
    QTextDocument doc;
    return RtfReader::read(data, doc);
}

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(RtfReader, DecodesCodePageEscapesOfDocumentAndFont)
{
    EXPECT_EQ(readText(R"({\rtf1\ansi\ansicpg1250 Nagyon k\'f6nny\'fb, h\'e1tral\'e9v\'f5 id\'f5})"),
        u("Nagyon könnyű, hátralévő idő"));
    EXPECT_EQ(readText(R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'e0 \'80 \'93x\'94})"), u("café à € “x”"));
    // \ansi alone is Windows-1252; a font's \fcharset238 is Windows-1250.
    EXPECT_EQ(readText(R"({\rtf1\ansi{\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset238 Arial;}})"
                       R"(\f0\'f5\f1\'f5\f0\'f5})"),
        u("õőõ"));
    // Unescaped 8-bit bytes are read in the same code page.
    EXPECT_EQ(readText("{\\rtf1\\ansi\\ansicpg1250 \xf5\xfb}"), u("őű"));
    // Other code pages go through the platform's converters.
    EXPECT_EQ(readText(R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})"), u("Аб"));
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback)
{
    EXPECT_EQ(readText(R"({\rtf1 a\u337?b})"), u("aőb"));
    EXPECT_EQ(readText(R"({\rtf1\uc2 \u369\'fb\'3fc})"), u("űc"));
    EXPECT_EQ(readText(R"({\rtf1\uc0 \u369 c})"), u("űc"));
    // Negative numbers are code units above 32767; surrogate pairs join.
    EXPECT_EQ(readText(R"({\rtf1 \u-3913?\u-10179?\u-8704?})"), QString(QChar(0xF0B7)) + u("😀"));
    // A control word counts as one fallback character; a brace ends the skip.
    EXPECT_EQ(readText(R"({\rtf1 \u337\emdash x\u337{y}})"), u("őxőy"));
    // \uc belongs to its group.
    EXPECT_EQ(readText(R"({\rtf1 {\uc3 \u337 abc}\u337 de})"), u("őőe"));
}

TEST(RtfReader, GroupsScopeCharacterFormatting)
{
    QTextDocument doc;
    ASSERT_TRUE(RtfReader::read(R"({\rtf1 a{\b b{\i c}d}e\ul f\ul0 g\strike h\strike0\fs30 i\plain j})", doc));
    const auto r = runs(doc);
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[0].text, u("a"));
    EXPECT_NE(r[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(r[1].text, u("b"));
    EXPECT_EQ(r[1].format.fontWeight(), QFont::Bold);
    EXPECT_FALSE(r[1].format.fontItalic());
    EXPECT_EQ(r[2].text, u("c"));
    EXPECT_EQ(r[2].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(r[2].format.fontItalic());
    EXPECT_EQ(r[3].text, u("d"));
    EXPECT_FALSE(r[3].format.fontItalic());
    EXPECT_EQ(r[4].text, u("e"));
    EXPECT_NE(r[4].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(r[5].format.fontUnderline());
    EXPECT_EQ(r[6].text, u("g"));
    EXPECT_FALSE(r[6].format.fontUnderline());
    EXPECT_TRUE(r[7].format.fontStrikeOut());
    // \fs is in half points; \plain resets everything to the view's own.
    EXPECT_EQ(r[8].text, u("i"));
    EXPECT_DOUBLE_EQ(r[8].format.fontPointSize(), 15.0);
    EXPECT_EQ(r[9].text, u("j"));
    EXPECT_FALSE(r[9].format.hasProperty(QTextFormat::FontPointSize));
    EXPECT_FALSE(r[9].format.fontStrikeOut());
}

TEST(RtfReader, ColoursAndFontsComeFromTheirTables)
{
    QTextDocument doc;
    ASSERT_TRUE(RtfReader::read(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern{\*\panose 02}Courier New;}})"
                                R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                                R"(\cf1 red\cf2\f1 blue\cf0\f0 auto\highlight1 marked\highlight0\cf9 none})",
        doc));
    const auto r = runs(doc);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].text, u("red"));
    EXPECT_EQ(r[0].format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(r[0].format.fontFamilies().toStringList(), QStringList { u("Arial") });
    EXPECT_EQ(r[1].text, u("blue"));
    EXPECT_EQ(r[1].format.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(r[1].format.fontFamilies().toStringList(), QStringList { u("Courier New") });
    EXPECT_EQ(r[2].text, u("auto"));
    EXPECT_FALSE(r[2].format.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(r[3].text, u("marked"));
    EXPECT_EQ(r[3].format.background().color(), QColor(255, 0, 0));
    // An index past the table is the automatic colour.
    EXPECT_EQ(r[4].text, u("none"));
    EXPECT_FALSE(r[4].format.hasProperty(QTextFormat::ForegroundBrush));

    // A font table written without inner groups.
    ASSERT_TRUE(RtfReader::read(R"({\rtf1{\fonttbl\f0\froman Times;\f1\fswiss Helvetica;}\f1 x})", doc));
    EXPECT_EQ(runs(doc).at(0).format.fontFamilies().toStringList(), QStringList { u("Helvetica") });
}

TEST(RtfReader, ParagraphsKeepTheirAlignmentAndIndents)
{
    QTextDocument doc;
    ASSERT_TRUE(RtfReader::read(R"({\rtf1\pard\qc Title\par\pard\qr right\par\qj\li720\fi-360 just)"
                                R"(\par\pard plain\line next\tab col\par})",
        doc));
    ASSERT_EQ(doc.blockCount(), 4); // the closing \par adds no empty line
    EXPECT_EQ(textOf(doc), u("Title\nright\njust\nplain\u2028next\tcol"));
    QTextBlock block = doc.begin();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(block.blockFormat().textIndent(), -24.0);
    block = block.next();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), 0.0);

    // Empty paragraphs in the middle and a last paragraph without \par.
    EXPECT_EQ(readText(R"({\rtf1 a\par\par b\par\par})"), u("a\n\nb\n"));
    EXPECT_EQ(readText(R"({\rtf1 a\par b})"), u("a\nb"));
    EXPECT_EQ(readText("{\\rtf1 a\\\nb\\\r\nc}"), u("a\nb\nc"));
}

TEST(RtfReader, SpecialCharactersAndEscapes)
{
    EXPECT_EQ(readText(R"({\rtf1 \emdash\endash\bullet\lquote x\rquote\ldblquote y\rdblquote})"), u("—–•‘x’“y”"));
    EXPECT_EQ(readText(R"({\rtf1 a\~b\-c\_d \\ \{ \}})"), u("a\u00A0b\u00ADc\u2011d \\ { }"));
    // Line breaks in the source are not text; unknown words are ignored.
    EXPECT_EQ(readText("{\\rtf1 one\r\ntwo \\unknownword3 three}"), u("onetwo three"));
}

TEST(RtfReader, SkipsDestinationsThatAreNotShown)
{
    const QByteArray rtf = R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;})"
                           R"({\stylesheet{\s0 Normal;}}{\info{\title Secret}{\author Someone}})"
                           R"({\*\generator Writer 1.0;}{\header Head}{\footer Foot})"
                           R"({\*\unknowndest hidden {nested}}body )"
                           R"({\pict\pngblip 89504e47}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}})"
                           R"( {\v invisible}end})";
    EXPECT_EQ(readText(rtf), u("body link end"));
    // Paragraph marks inside tables and skipped groups are not paragraphs.
    EXPECT_EQ(readText("{\\rtf1{\\fonttbl\\\n{\\f0 Arial;}}{\\*\\x\\\r\\par}x}"), u("x"));
    // \bin data may hold braces and backslashes.
    EXPECT_EQ(readText("{\\rtf1 a{\\*\\blob\\bin4 }{\\\\}b}"), u("ab"));
    EXPECT_EQ(readText("{\\rtf1 a\\bin3 }{\\b}"), u("ab"));
}

TEST(RtfReader, RefusesDataThatIsNotValidRtf)
{
    EXPECT_FALSE(isRtf(""));
    EXPECT_FALSE(isRtf("plain text"));
    EXPECT_FALSE(isRtf(" {\\rtf1 x}"));
    EXPECT_FALSE(isRtf("{\\rtf1 unclosed"));
    EXPECT_FALSE(isRtf("{\\rtf1 {\\b x}"));
    EXPECT_FALSE(isRtf("{\\rtf1 ends in \\"));
    EXPECT_FALSE(isRtf("{\\rtf1 ends in \\'f"));
    EXPECT_FALSE(isRtf("{\\rtf1 \\bin100 short}"));
    EXPECT_FALSE(isRtf("{\\rtf1 \\" + QByteArray(33, 'a') + " x}"));
    EXPECT_FALSE(isRtf("{\\rtf1 \\fs12345678901 x}"));
    EXPECT_TRUE(isRtf("{\\rtf1 \\" + QByteArray(32, 'a') + " \\fs1234567890 x}"));
    // Whatever follows the outermost group is ignored, even binary data.
    EXPECT_EQ(readText(QByteArray("{\\rtf1 x}\0\xff}}{", 14)), u("x"));
    // A malformed hex escape is dropped, the rest is read.
    EXPECT_EQ(readText(R"({\rtf1 a\'zzb})"), u("azzb"));
}

TEST(RtfReader, BoundsNestingAndSize)
{
    const auto nested
        = [](int depth) { return "{\\rtf1 " + QByteArray(depth - 1, '{') + "deep" + QByteArray(depth, '}'); };
    EXPECT_EQ(readText(nested(RtfReader::maxDepth)), u("deep"));
    EXPECT_FALSE(isRtf(nested(RtfReader::maxDepth + 1)));
    EXPECT_FALSE(isRtf(nested(100000)));

    // Deep nesting that opens and closes many times stays valid.
    QByteArray wave = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i)
        wave += QByteArray(400, '{') + "x" + QByteArray(400, '}');
    wave += "}";
    EXPECT_EQ(readText(wave), QString(200, QLatin1Char('x')));

    // Larger than the limit: refused before reading.
    QByteArray huge = "{\\rtf1 ";
    huge += QByteArray(RtfReader::maxInputBytes, 'a');
    huge += "}";
    EXPECT_FALSE(isRtf(huge));

    // Just under the limit, in many small runs and paragraphs: read whole.
    QByteArray big = "{\\rtf1 ";
    const QByteArray piece = "{\\b x}y\\par ";
    while (big.size() + piece.size() < 512 * 1024)
        big += piece;
    big += "}";
    QTextDocument doc;
    ASSERT_TRUE(RtfReader::read(big, doc));
    EXPECT_EQ(doc.blockCount(), (big.size() - 8) / piece.size());
}

TEST(RtfReader, SimplifiesFormattingPastItsLimits)
{
    // A paragraph that changes its formatting more often than the limit
    // keeps all its text; the next paragraph is formatted normally again.
    QByteArray rtf = "{\\rtf1 ";
    const int pairs = RtfReader::maxRunsPerParagraph;
    for (int i = 0; i < pairs; ++i)
        rtf += "{\\b a}b";
    rtf += "\\par {\\b bold}plain}";
    QTextDocument doc;
    ASSERT_TRUE(RtfReader::read(rtf, doc));
    ASSERT_EQ(doc.blockCount(), 2);
    QString expected;
    for (int i = 0; i < pairs; ++i)
        expected += u("ab");
    EXPECT_EQ(doc.begin().text(), expected);
    int fragments = 0;
    for (auto it = doc.begin().begin(); !it.atEnd(); ++it)
        ++fragments;
    EXPECT_LE(fragments, RtfReader::maxRunsPerParagraph);
    EXPECT_GT(fragments, RtfReader::maxRunsPerParagraph / 2);
    auto second = doc.begin().next().begin();
    EXPECT_EQ(second.fragment().text(), u("bold"));
    EXPECT_EQ(second.fragment().charFormat().fontWeight(), QFont::Bold);
    ++second;
    EXPECT_EQ(second.fragment().text(), u("plain"));

    // Font table entries past the limit are ignored; earlier ones still work.
    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < RtfReader::maxFonts + 10; ++i)
        fonts += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    fonts += "}\\f3 a\\f" + QByteArray::number(RtfReader::maxFonts + 5) + " b}";
    ASSERT_TRUE(RtfReader::read(fonts, doc));
    const auto r = runs(doc);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].format.fontFamilies().toStringList(), QStringList { u("Font3") });
    EXPECT_FALSE(r[1].format.hasProperty(QTextFormat::FontFamilies));
}
