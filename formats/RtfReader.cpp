// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The RTF reader: one forward pass over the bytes that keeps a stack of group
// states (character and paragraph properties, destination, \uc count) and
// writes runs of equally formatted text into the document through a cursor.
// 8-bit text is collected as bytes and decoded in one go when the run ends,
// so that double-byte code pages decode correctly.
#include "RtfReader.h"

#include "CodePage.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Twips (1/1440 inch) to pixels at 96 pixels per inch.
double twipsToPixels(int twips)
{
    return twips / 15.0;
}

// A 22-inch page is the largest a word processor offers.
constexpr int maxTwips = 31680;

enum class Destination { Text, Skip, FontTable, ColorTable };

enum class Word {
    // document
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    // destinations
    FontTable,
    ColorTable,
    SkippedDestination,
    // font table entries
    FontCharset,
    FontCodePage,
    // colour table entries
    Red,
    Green,
    Blue,
    // paragraphs and breaks
    Par,
    Line,
    Tab,
    Cell,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Super,
    Sub,
    NoSuperSub,
    FontSize,
    Font,
    Foreground,
    Background,
    // Unicode and special characters
    Unicode,
    UnicodeSkip,
    Special,
    Bin,
};

struct WordInfo {
    Word word;
    char16_t character = 0; // for Special
};

const QHash<QByteArray, WordInfo>& words()
{
    static const QHash<QByteArray, WordInfo> table = [] {
        QHash<QByteArray, WordInfo> t = {
            { "rtf", { Word::Rtf } },
            { "ansi", { Word::Ansi } },
            { "mac", { Word::Mac } },
            { "pc", { Word::Pc } },
            { "pca", { Word::Pca } },
            { "ansicpg", { Word::AnsiCpg } },
            { "deff", { Word::Deff } },
            { "fonttbl", { Word::FontTable } },
            { "colortbl", { Word::ColorTable } },
            { "fcharset", { Word::FontCharset } },
            { "cpg", { Word::FontCodePage } },
            { "red", { Word::Red } },
            { "green", { Word::Green } },
            { "blue", { Word::Blue } },
            { "par", { Word::Par } },
            { "sect", { Word::Par } },
            { "page", { Word::Par } },
            { "row", { Word::Par } },
            { "line", { Word::Line } },
            { "tab", { Word::Tab } },
            { "cell", { Word::Cell } },
            { "nestcell", { Word::Cell } },
            { "pard", { Word::Pard } },
            { "ql", { Word::AlignLeft } },
            { "qc", { Word::AlignCenter } },
            { "qr", { Word::AlignRight } },
            { "qj", { Word::AlignJustify } },
            { "li", { Word::LeftIndent } },
            { "ri", { Word::RightIndent } },
            { "fi", { Word::FirstIndent } },
            { "sb", { Word::SpaceBefore } },
            { "sa", { Word::SpaceAfter } },
            { "plain", { Word::Plain } },
            { "b", { Word::Bold } },
            { "i", { Word::Italic } },
            { "ul", { Word::Underline } },
            { "uld", { Word::Underline } },
            { "uldash", { Word::Underline } },
            { "uldb", { Word::Underline } },
            { "ulw", { Word::Underline } },
            { "ulth", { Word::Underline } },
            { "ulwave", { Word::Underline } },
            { "ulnone", { Word::UnderlineNone } },
            { "strike", { Word::Strike } },
            { "striked", { Word::Strike } },
            { "v", { Word::Hidden } },
            { "super", { Word::Super } },
            { "sub", { Word::Sub } },
            { "nosupersub", { Word::NoSuperSub } },
            { "fs", { Word::FontSize } },
            { "f", { Word::Font } },
            { "cf", { Word::Foreground } },
            { "cb", { Word::Background } },
            { "highlight", { Word::Background } },
            { "chcbpat", { Word::Background } },
            { "u", { Word::Unicode } },
            { "uc", { Word::UnicodeSkip } },
            { "bin", { Word::Bin } },
            { "emdash", { Word::Special, 0x2014 } },
            { "endash", { Word::Special, 0x2013 } },
            { "bullet", { Word::Special, 0x2022 } },
            { "lquote", { Word::Special, 0x2018 } },
            { "rquote", { Word::Special, 0x2019 } },
            { "ldblquote", { Word::Special, 0x201C } },
            { "rdblquote", { Word::Special, 0x201D } },
            { "emspace", { Word::Special, 0x2003 } },
            { "enspace", { Word::Special, 0x2002 } },
            { "qmspace", { Word::Special, 0x2005 } },
            { "zwj", { Word::Special, 0x200D } },
            { "zwnj", { Word::Special, 0x200C } },
            { "zwbo", { Word::Special, 0x200B } },
            { "ltrmark", { Word::Special, 0x200E } },
            { "rtlmark", { Word::Special, 0x200F } },
        };
        // Destinations whose content is never shown.
        for (const char* name :
            { "stylesheet", "info", "pict", "objdata", "objclass", "objname", "header", "footer", "headerl", "headerr",
                "headerf", "footerl", "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "atndate",
                "atnref", "pn", "pntxta", "pntxtb", "xe", "tc", "txe", "rxe", "bkmkstart", "bkmkend", "fldinst",
                "datafield", "template", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator", "filetbl",
                "latentstyles", "themedata", "colorschememapping", "datastore", "xmlnstbl", "author", "operator",
                "title", "subject", "keywords", "comment", "doccomm", "company", "creatim", "revtim", "printim",
                "buptim", "userprops", "private", "nonshppict", "shppict", "shpinst", "sp", "sn", "sv", "do", "fchars",
                "lchars", "pgdsctbl", "protusertbl", "mmathPr", "falt", "panose", "background", "ftnsep", "ftnsepc",
                "ftncn", "aftnsep", "aftnsepc", "aftncn", "listpicture", "wgrffmtfilter", "docvar", "formfield" }) {
            t.insert(QByteArray(name), { Word::SkippedDestination });
        }
        return t;
    }();
    return table;
}

struct CharProps {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0; // 1 superscript, -1 subscript
    int font = -1; // -1: the document's default font
    int halfPoints = 0; // 0: the view's own size
    int foreground = -1; // colour table index, -1: automatic
    int background = -1;
    bool operator==(const CharProps&) const = default;
};

struct ParaProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState {
    CharProps chars;
    ParaProps para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int codePage = 0; // 0: the document's
};

class Parser {
public:
    Parser(const QByteArray& data, QTextDocument& document)
        : m_data(data)
        , m_cursor(&document)
    {
    }

    bool run();

private:
    bool openGroup();
    void closeGroup();
    bool controlSequence();
    bool controlWord(const QByteArray& name, bool hasParam, int param);
    void controlSymbol(char symbol);
    void textByte(unsigned char byte);
    void fontTableWord(Word word, int param);
    void fontTableByte(unsigned char byte);
    void commitFont();
    void colourTableByte(unsigned char byte);
    void appendText(const QString& text);
    void flushBytes();
    void flushRun();
    void paragraph();
    void finish();
    int currentCodePage() const;
    QTextCharFormat charFormat(const CharProps& props) const;
    static QTextBlockFormat blockFormat(const ParaProps& props);

    const QByteArray& m_data;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;

    std::vector<GroupState> m_stack;
    GroupState m_state;
    int m_fallbackToSkip = 0;

    int m_documentCodePage = 1252;
    int m_defaultFont = 0; // \deff; font 0 when the header names none
    std::map<int, FontEntry> m_fonts;
    std::vector<QColor> m_colours;

    // The font table entry being read.
    bool m_fontPending = false;
    int m_fontNumber = 0;
    int m_fontCharset = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontName;

    // The colour table entry being read.
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;

    // 8-bit text not yet decoded, with the code page it is in.
    QByteArray m_bytes;
    int m_bytesCodePage = 0;

    // Text not yet written, all in the same character properties.
    QString m_run;
    CharProps m_runProps;
    int m_runsInParagraph = 0;

    // A \par has ended a paragraph; the next one starts only when more
    // text comes, so that the closing \par does not leave an empty line.
    bool m_blockPending = false;
};

bool Parser::run()
{
    const qsizetype size = m_data.size();
    while (m_pos < size) {
        const char c = m_data[m_pos++];
        switch (c) {
        case '{':
            if (!openGroup())
                return false;
            break;
        case '}':
            if (m_stack.size() == 1) {
                finish(); // the outermost group: whatever follows is ignored
                return true;
            }
            closeGroup();
            break;
        case '\\':
            if (!controlSequence())
                return false;
            break;
        case '\r':
        case '\n': break;
        default: textByte(static_cast<unsigned char>(c));
        }
    }
    return false; // the data ended inside a group
}

bool Parser::openGroup()
{
    if (m_stack.size() >= static_cast<std::size_t>(RtfReader::maxDepth))
        return false;
    flushBytes();
    m_fallbackToSkip = 0;
    m_stack.push_back(m_state);
    return true;
}

void Parser::closeGroup()
{
    flushBytes();
    m_fallbackToSkip = 0;
    if (m_state.destination == Destination::FontTable)
        commitFont();
    m_state = m_stack.back();
    m_stack.pop_back();
}

bool Parser::controlSequence()
{
    if (m_pos >= m_data.size())
        return false;
    const char c = m_data[m_pos];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter) {
        ++m_pos;
        if (c == '\'') {
            // Two hex digits; a malformed escape is dropped.
            if (m_pos + 2 > m_data.size())
                return false;
            const int high = hexDigit(m_data[m_pos]);
            const int low = hexDigit(m_data[m_pos + 1]);
            if (high >= 0 && low >= 0) {
                m_pos += 2;
                textByte(static_cast<unsigned char>(high * 16 + low));
            }
            return true;
        }
        flushBytes();
        if (c == '\\' || c == '{' || c == '}') {
            textByte(static_cast<unsigned char>(c));
            return true;
        }
        if (m_fallbackToSkip > 0) {
            --m_fallbackToSkip;
            return true;
        }
        controlSymbol(c);
        return true;
    }

    // A control word: at most 32 letters, an optional number of at most 10
    // digits, and an optional space that belongs to it.
    const qsizetype start = m_pos;
    while (m_pos < m_data.size()) {
        const char l = m_data[m_pos];
        if (!((l >= 'a' && l <= 'z') || (l >= 'A' && l <= 'Z')))
            break;
        if (m_pos - start >= 32)
            return false;
        ++m_pos;
    }
    const QByteArray name = m_data.mid(start, m_pos - start);
    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && m_data[m_pos + 1] >= '0' && m_data[m_pos + 1] <= '9') {
        negative = true;
        ++m_pos;
    }
    bool hasParam = false;
    qint64 value = 0;
    int digits = 0;
    while (m_pos < m_data.size() && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
        if (++digits > 10)
            return false;
        value = value * 10 + (m_data[m_pos] - '0');
        hasParam = true;
        ++m_pos;
    }
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos;
    if (negative)
        value = -value;
    value = std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());

    flushBytes();
    return controlWord(name, hasParam, static_cast<int>(value));
}

void Parser::controlSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        // An optional destination: none of these is shown.
        m_state.destination = Destination::Skip;
        break;
    case '~': appendText(QString(QChar(0x00A0))); break;
    case '-': appendText(QString(QChar(0x00AD))); break;
    case '_': appendText(QString(QChar(0x2011))); break;
    case '\n':
    case '\r':
        if (m_state.destination == Destination::Text)
            paragraph();
        break;
    default: break; // \: \| and unknown symbols
    }
}

bool Parser::controlWord(const QByteArray& name, bool hasParam, int param)
{
    const auto found = words().constFind(name);
    if (found == words().constEnd()) {
        if (m_fallbackToSkip > 0)
            --m_fallbackToSkip;
        return true; // unknown words are ignored
    }
    const WordInfo info = found.value();

    if (info.word == Word::Bin) {
        // Raw binary data follows; it is never shown.
        const qint64 length = hasParam ? std::max(param, 0) : 0;
        if (length > m_data.size() - m_pos)
            return false;
        m_pos += length;
        if (m_fallbackToSkip > 0)
            --m_fallbackToSkip;
        return true;
    }
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return true;
    }
    if (m_state.destination == Destination::Skip)
        return true;

    const bool on = !hasParam || param != 0;
    CharProps& chars = m_state.chars;
    ParaProps& para = m_state.para;
    const bool inText = m_state.destination == Destination::Text;

    switch (info.word) {
    case Word::Rtf: break;
    case Word::Ansi: m_documentCodePage = 1252; break;
    case Word::Mac: m_documentCodePage = 10000; break;
    case Word::Pc: m_documentCodePage = 437; break;
    case Word::Pca: m_documentCodePage = 850; break;
    case Word::AnsiCpg:
        if (param > 0)
            m_documentCodePage = param;
        break;
    case Word::Deff: m_defaultFont = param; break;
    case Word::FontTable:
        m_state.destination = Destination::FontTable;
        m_fontPending = false;
        m_fontName.clear();
        break;
    case Word::ColorTable:
        m_state.destination = Destination::ColorTable;
        m_colours.clear();
        m_red = m_green = m_blue = -1;
        break;
    case Word::SkippedDestination: m_state.destination = Destination::Skip; break;
    case Word::FontCharset:
    case Word::FontCodePage: fontTableWord(info.word, param); break;
    case Word::Red: m_red = std::clamp(param, 0, 255); break;
    case Word::Green: m_green = std::clamp(param, 0, 255); break;
    case Word::Blue: m_blue = std::clamp(param, 0, 255); break;
    case Word::Par:
        if (inText)
            paragraph();
        break;
    case Word::Line:
        if (inText)
            appendText(QString(QChar::LineSeparator));
        break;
    case Word::Tab:
    case Word::Cell:
        if (inText)
            appendText(QStringLiteral("\t"));
        break;
    case Word::Pard: para = ParaProps {}; break;
    case Word::AlignLeft: para.alignment = Qt::AlignLeft; break;
    case Word::AlignCenter: para.alignment = Qt::AlignHCenter; break;
    case Word::AlignRight: para.alignment = Qt::AlignRight; break;
    case Word::AlignJustify: para.alignment = Qt::AlignJustify; break;
    case Word::LeftIndent: para.leftIndent = std::clamp(param, 0, maxTwips); break;
    case Word::RightIndent: para.rightIndent = std::clamp(param, 0, maxTwips); break;
    case Word::FirstIndent: para.firstIndent = std::clamp(param, -maxTwips, maxTwips); break;
    case Word::SpaceBefore: para.spaceBefore = std::clamp(param, 0, maxTwips); break;
    case Word::SpaceAfter: para.spaceAfter = std::clamp(param, 0, maxTwips); break;
    case Word::Plain: chars = CharProps {}; break;
    case Word::Bold: chars.bold = on; break;
    case Word::Italic: chars.italic = on; break;
    case Word::Underline: chars.underline = on; break;
    case Word::UnderlineNone: chars.underline = false; break;
    case Word::Strike: chars.strike = on; break;
    case Word::Hidden: chars.hidden = on; break;
    case Word::Super: chars.vertical = 1; break;
    case Word::Sub: chars.vertical = -1; break;
    case Word::NoSuperSub: chars.vertical = 0; break;
    case Word::FontSize:
        // Half points; the largest size word processors offer is 1638 pt.
        chars.halfPoints = hasParam && param > 0 ? std::clamp(param, 2, 3276) : 24;
        break;
    case Word::Font:
        if (m_state.destination == Destination::FontTable) {
            commitFont();
            m_fontPending = true;
            m_fontNumber = param;
            m_fontCharset = -1;
            m_fontCodePage = 0;
            m_fontName.clear();
        } else {
            chars.font = param;
        }
        break;
    case Word::Foreground: chars.foreground = param; break;
    case Word::Background: chars.background = param; break;
    case Word::Unicode:
        if (inText) {
            // Negative values stand for code units above 32767.
            const int unit = param < 0 ? param + 65536 : param;
            if (unit > 0 && unit <= 0xFFFF)
                appendText(QString(QChar(char16_t(unit))));
        }
        m_fallbackToSkip = m_state.unicodeSkip;
        break;
    case Word::UnicodeSkip: m_state.unicodeSkip = std::clamp(param, 0, 16); break;
    case Word::Special:
        if (inText)
            appendText(QString(QChar(info.character)));
        break;
    case Word::Bin: break;
    }
    return true;
}

void Parser::fontTableWord(Word word, int param)
{
    if (m_state.destination != Destination::FontTable)
        return;
    if (word == Word::FontCharset)
        m_fontCharset = param;
    else if (param > 0)
        m_fontCodePage = param;
}

void Parser::textByte(unsigned char byte)
{
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    switch (m_state.destination) {
    case Destination::Skip: return;
    case Destination::FontTable: fontTableByte(byte); return;
    case Destination::ColorTable: colourTableByte(byte); return;
    case Destination::Text: break;
    }
    if (byte < 0x20 && byte != '\t')
        return; // control characters other than the tab are not text
    const int codePage = currentCodePage();
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(static_cast<char>(byte));
}

void Parser::fontTableByte(unsigned char byte)
{
    if (byte == ';')
        commitFont();
    else if (byte >= 0x20)
        m_fontName.append(static_cast<char>(byte));
}

void Parser::commitFont()
{
    if (!m_fontPending)
        return;
    m_fontPending = false;
    FontEntry entry;
    entry.codePage = m_fontCodePage > 0 ? m_fontCodePage : CodePage::ofCharset(m_fontCharset);
    entry.name = CodePage::decode(m_fontName, entry.codePage > 0 ? entry.codePage : m_documentCodePage).trimmed();
    if (m_fonts.size() < static_cast<std::size_t>(RtfReader::maxFonts) || m_fonts.count(m_fontNumber) > 0)
        m_fonts[m_fontNumber] = entry;
    m_fontName.clear();
}

void Parser::colourTableByte(unsigned char byte)
{
    if (byte != ';')
        return;
    // An entry without components is the automatic colour.
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colours.emplace_back();
    else
        m_colours.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    m_red = m_green = m_blue = -1;
}

int Parser::currentCodePage() const
{
    const int font = m_state.chars.font >= 0 ? m_state.chars.font : m_defaultFont;
    const auto it = m_fonts.find(font);
    if (it != m_fonts.end() && it->second.codePage > 0)
        return it->second.codePage;
    return m_documentCodePage;
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = CodePage::decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    appendText(text);
}

void Parser::appendText(const QString& text)
{
    if (m_state.destination != Destination::Text || m_state.chars.hidden || text.isEmpty())
        return;
    if (m_blockPending) {
        flushRun();
        m_cursor.insertBlock();
        m_blockPending = false;
    }
    if (m_run.isEmpty()) {
        m_runProps = m_state.chars;
    } else if (!(m_runProps == m_state.chars) && m_runsInParagraph + 1 < RtfReader::maxRunsPerParagraph) {
        flushRun();
        m_runProps = m_state.chars;
    }
    m_run += text;
}

void Parser::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
    ++m_runsInParagraph;
}

void Parser::paragraph()
{
    flushBytes();
    flushRun();
    m_runsInParagraph = 0;
    if (m_blockPending)
        m_cursor.insertBlock();
    m_cursor.setBlockFormat(blockFormat(m_state.para));
    m_blockPending = true;
}

void Parser::finish()
{
    flushBytes();
    flushRun();
    if (!m_blockPending)
        m_cursor.setBlockFormat(blockFormat(m_state.para));
}

QTextCharFormat Parser::charFormat(const CharProps& props) const
{
    QTextCharFormat format;
    if (props.bold)
        format.setFontWeight(QFont::Bold);
    if (props.italic)
        format.setFontItalic(true);
    if (props.underline)
        format.setFontUnderline(true);
    if (props.strike)
        format.setFontStrikeOut(true);
    if (props.vertical != 0)
        format.setVerticalAlignment(
            props.vertical > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (props.halfPoints > 0)
        format.setFontPointSize(props.halfPoints / 2.0);
    const auto font = m_fonts.find(props.font >= 0 ? props.font : m_defaultFont);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList { font->second.name });
    const auto colour = [this](int index) {
        return index >= 0 && static_cast<std::size_t>(index) < m_colours.size() ? m_colours[index] : QColor();
    };
    if (const QColor fg = colour(props.foreground); fg.isValid())
        format.setForeground(fg);
    if (const QColor bg = colour(props.background); bg.isValid())
        format.setBackground(bg);
    return format;
}

QTextBlockFormat Parser::blockFormat(const ParaProps& props)
{
    QTextBlockFormat format;
    format.setAlignment(props.alignment);
    format.setLeftMargin(twipsToPixels(props.leftIndent));
    format.setRightMargin(twipsToPixels(props.rightIndent));
    format.setTextIndent(twipsToPixels(props.firstIndent));
    format.setTopMargin(twipsToPixels(props.spaceBefore));
    format.setBottomMargin(twipsToPixels(props.spaceAfter));
    return format;
}

} // namespace

bool RtfReader::looksLikeRtf(const QByteArray& data)
{
    return data.startsWith("{\\rtf");
}

bool RtfReader::read(const QByteArray& data, QTextDocument& document)
{
    if (!looksLikeRtf(data) || data.size() > maxInputBytes)
        return false;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    bool ok = false;
    {
        // One edit block: the document updates its layout once, at the end.
        QTextCursor block(&document);
        block.beginEditBlock();
        Parser parser(data, document);
        ok = parser.run();
        block.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
    return ok;
}
