// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The instructions view. Each load builds a new document and puts it in place
// only when reading succeeded, so a failed load leaves the view untouched.
#include "RichEdit.h"

#include "Colors.h"
#include "TextReader.h"
#include "ToolkitError.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QPointer>
#include <QTextDocument>

#include <memory>

TRichEdit::TRichEdit(QWidget* parent)
    : QTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setReadOnly(true);
    // Read-only, but the keyboard still moves through and selects the text.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setUndoRedoEnabled(false);
    // Wrap at word boundaries only: Qt's default of also breaking overlong
    // words anywhere takes time that grows with the square of the word's
    // length, so one long "word" in a file would freeze the view for minutes.
    // Such a word now runs past the right edge instead.
    setWordWrapMode(QTextOption::WordWrap);
    setPlainText(QStringLiteral("InhaltAnleitung"));
}

void TRichEdit::setColor(TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, toQColor(color));
    setPalette(p);
}

void TRichEdit::loadFromFile(const QString& name)
{
    // Folders, devices and pipes are not files to read in full.
    const QFileInfo info(name);
    QFile file(name);
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly))
        throw EToolkitError(QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(name));

    // A byte more than allowed is enough to tell that the file is too large.
    const QByteArray data = file.read(TextReader::maxInputBytes + 1);
    const QString streamFailed = QString::fromUtf8("Das Laden des Streams ist mißlungen");
    if (file.error() != QFileDevice::NoError)
        throw EToolkitError(streamFailed);

    auto fresh = std::make_unique<QTextDocument>();
    fresh->setDefaultFont(font());
    fresh->setUndoRedoEnabled(false);
    const TextReader::Outcome read = TextReader::read(data, *fresh);
    if (read != TextReader::Outcome::Rtf && read != TextReader::Outcome::PlainText)
        throw EToolkitError(streamFailed);

    // The first document belongs to Qt's text control, which deletes it when
    // it is replaced; later ones are ours to delete.
    const QPointer<QTextDocument> previous = document();
    fresh->setParent(this);
    setDocument(fresh.release());
    if (previous && previous->parent() == this)
        delete previous;
}
