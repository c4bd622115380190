// The instructions view. Each load builds a new document and puts it in place
// only when reading succeeded, so a failed load leaves the view untouched.
#include "RichEdit.h"

#include "Colors.h"
#include "RtfReader.h"
#include "ToolkitError.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QPointer>
#include <QStringDecoder>
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

bool TRichEdit::decodePlainText(const QByteArray& data, QString& text)
{
    QString decoded;
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        // UTF-16, as Windows editors write "Unicode" text.
        if (data.size() % 2 != 0)
            return false;
        QStringDecoder decoder(data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        decoded = decoder.decode(data.mid(2));
        if (decoder.hasError() || decoded.contains(QChar(0)))
            return false;
    } else {
        if (data.contains('\0'))
            return false;
        QStringDecoder utf8(QStringConverter::Utf8);
        decoded = utf8.decode(data);
        if (utf8.hasError())
            decoded = RtfReader::decodeCodePage(data, 1250);
    }
    decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text = decoded;
    return true;
}

void TRichEdit::loadFromFile(const QString& name)
{
    // Folders, devices and pipes are not files to read in full.
    const QFileInfo info(name);
    QFile file(name);
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly))
        throw EToolkitError(QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(name));

    const QByteArray data = file.read(RtfReader::maxInputBytes + 1);
    const QString streamFailed = QString::fromUtf8("Das Laden des Streams ist mißlungen");
    if (file.error() != QFileDevice::NoError || data.size() > RtfReader::maxInputBytes)
        throw EToolkitError(streamFailed);

    auto fresh = std::make_unique<QTextDocument>();
    fresh->setDefaultFont(font());
    fresh->setUndoRedoEnabled(false);
    if (!RtfReader::read(data, *fresh)) {
        QString text;
        if (!decodePlainText(data, text))
            throw EToolkitError(streamFailed);
        fresh->setPlainText(text);
    }

    // The first document belongs to Qt's text control, which deletes it when
    // it is replaced; later ones are ours to delete.
    const QPointer<QTextDocument> previous = document();
    fresh->setParent(this);
    setDocument(fresh.release());
    if (previous && previous->parent() == this)
        delete previous;
}
