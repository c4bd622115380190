// The read-only rich-text view of the setup screen's instructions: a text view
// without a frame, with a vertical scroll bar, whose content is loaded from an
// RTF or plain-text file. The user can scroll and select but not change it.
#pragma once

#include "Typen.h"

#include <QTextEdit>

class QByteArray;

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent);

    void setColor(TColor color);
    TColor color() const { return m_color; }

    // Replaces the whole content with the file's: read as RTF when it opens
    // with "{\rtf" and is valid RTF, otherwise as plain text (UTF-8 when it
    // is valid UTF-8, else Windows-1250; UTF-16 with a byte-order mark).
    // Throws EToolkitError "Datei <name> kann nicht geöffnet werden" when the
    // file cannot be opened for reading (also a folder or a device), and
    // "Das Laden des Streams ist mißlungen" when the content is neither: it
    // is not RTF and holds a NUL byte (binary data), is larger than
    // RtfReader::maxInputBytes, or cannot be read to its end. On either
    // error the previous content stays.
    void loadFromFile(const QString& name);

    // The plain-text reading of loadFromFile; false if data is not text.
    static bool decodePlainText(const QByteArray& data, QString& text);

private:
    TColor m_color = clWhite;
};
