// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the instructions view: its looks and read-only behaviour, and
// loading from files: RTF, plain text, files that cannot be opened or read,
// and reading a changed file afresh. The reading of the text itself (RTF,
// the plain-text encodings) is tested byte by byte in tests/formats.
#include "RichEdit.h"
#include "TextReader.h"
#include "ToolkitError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
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

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The game loads by plain name from the working directory.
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previousDir); }

    void write(const QString& name, const QByteArray& content)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }

    // The message of the error that loading throws, empty if none.
    QString loadError(const QString& name)
    {
        try {
            edit.loadFromFile(name);
        } catch (const EToolkitError& e) {
            return e.text();
        }
        return {};
    }

    QTemporaryDir dir;
    QString previousDir;
    TRichEdit edit { nullptr };
};

const QString streamFailed = u("Das Laden des Streams ist mißlungen");

} // namespace

TEST_F(RichEditTest, StartsReadOnlyWithoutBorderAndWithItsPlaceholder)
{
    EXPECT_EQ(edit.toPlainText(), u("InhaltAnleitung"));
    EXPECT_EQ(edit.document()->blockCount(), 1);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // Words are never broken: breaking overlong ones is what made Qt slow.
    EXPECT_EQ(edit.wordWrapMode(), QTextOption::WordWrap);

    edit.setColor(clBtnFace);
    EXPECT_EQ(edit.color(), clBtnFace);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(240, 240, 240));
    edit.setColor(0x00FF80);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(0x80, 0xFF, 0x00));
}

TEST_F(RichEditTest, UserCanSelectButNotChangeTheLoadedText)
{
    write("Tintarium.rtf", R"({\rtf1\ansi\ansicpg1250 Szab\'e1lyok\par})");
    edit.resize(273, 166);
    edit.show();
    edit.loadFromFile("Tintarium.rtf");
    edit.setFocus();
    QTest::keyClicks(&edit, "xyz");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.toPlainText(), u("Szabályok"));
    EXPECT_TRUE(edit.isReadOnly());
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.textCursor().selectedText(), u("Szabályok"));
    edit.hide();
}

TEST_F(RichEditTest, LoadsRtfReplacingTheWholeContent)
{
    write("Tintarium.rtf",
        R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\fswiss\fcharset238 Arial;}})"
        R"(\pard\qc\b Nagyon k\'f6nny\'fb\b0\par\pard H\'e1tra: \'f5\par})");
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), u("Nagyon könnyű\nHátra: ő"));
    EXPECT_EQ(edit.document()->blockCount(), 2);
    EXPECT_EQ(edit.document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The view's own font is the document's default.
    EXPECT_EQ(edit.document()->defaultFont(), edit.font());
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(RichEditTest, ReadsEachLoadAfresh)
{
    write("Tintarium.rtf", R"({\rtf1 first})");
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), u("first"));
    write("Tintarium.rtf", R"({\rtf1 second\par third})");
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), u("second\nthird"));
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), u("second\nthird"));
}

TEST_F(RichEditTest, ShowsPlainTextAndMalformedRtfAsText)
{
    write("Tintarium.rtf", "Line one\r\nLine \xc5\x91 two\rthree\n");
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), u("Line one\nLine ő two\nthree\n"));

    // An empty file empties the view.
    write("Tintarium.rtf", "");
    edit.loadFromFile("Tintarium.rtf");
    EXPECT_EQ(edit.toPlainText(), QString());
}

TEST_F(RichEditTest, MissingFileKeepsThePreviousContent)
{
    EXPECT_EQ(loadError("Tintarium.rtf"), u("Datei Tintarium.rtf kann nicht geöffnet werden"));
    EXPECT_EQ(edit.toPlainText(), u("InhaltAnleitung"));

    write("Tintarium.rtf", R"({\rtf1 loaded})");
    edit.loadFromFile("Tintarium.rtf");
    QFile::remove("Tintarium.rtf");
    // The name appears exactly as passed, without a path added.
    EXPECT_EQ(loadError("./Tintarium.rtf"), u("Datei ./Tintarium.rtf kann nicht geöffnet werden"));
    EXPECT_EQ(loadError(""), u("Datei  kann nicht geöffnet werden"));
    EXPECT_EQ(edit.toPlainText(), u("loaded"));

    // A folder, or a file without read permission, cannot be opened either.
    QDir().mkdir("folder.rtf");
    EXPECT_EQ(loadError("folder.rtf"), u("Datei folder.rtf kann nicht geöffnet werden"));
    write("locked.rtf", R"({\rtf1 locked})");
    QFile::setPermissions("locked.rtf", QFileDevice::WriteOwner);
    QFile probe("locked.rtf");
    if (!probe.open(QIODevice::ReadOnly)) { // root reads anything
        EXPECT_EQ(loadError("locked.rtf"), u("Datei locked.rtf kann nicht geöffnet werden"));
    }
    EXPECT_EQ(edit.toPlainText(), u("loaded"));
}

TEST_F(RichEditTest, BinaryOrOversizedContentFailsAndKeepsThePreviousContent)
{
    write("Tintarium.rtf", R"({\rtf1 loaded})");
    edit.loadFromFile("Tintarium.rtf");

    write("Tintarium.rtf",
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0",
            10));
    EXPECT_EQ(loadError("Tintarium.rtf"), streamFailed);
    // Larger than any instructions text: refused, not read for minutes.
    write("Tintarium.rtf", QByteArray(TextReader::maxInputBytes + 1, 'a'));
    EXPECT_EQ(loadError("Tintarium.rtf"), streamFailed);
    EXPECT_EQ(edit.toPlainText(), u("loaded"));

    // A device that never ends is not a file.
    if (QFile::exists("/dev/zero")) {
        EXPECT_EQ(loadError("/dev/zero"), u("Datei /dev/zero kann nicht geöffnet werden"));
    }
    EXPECT_EQ(edit.toPlainText(), u("loaded"));
}

TEST_F(RichEditTest, LongTextScrollsVertically)
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 100; ++i)
        rtf += "Sor " + QByteArray::number(i) + "\\par ";
    rtf += "}";
    write("Tintarium.rtf", rtf);
    edit.resize(273, 166);
    edit.show();
    edit.loadFromFile("Tintarium.rtf");
    QCoreApplication::processEvents();
    EXPECT_GT(edit.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
    edit.hide();
}
