// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The read-only rich-text view of the setup screen's instructions: a text view
// without a frame, with a vertical scroll bar, whose content is loaded from an
// RTF or plain-text file. The user can scroll and select but not change it.
#pragma once

#include "Typen.h"

#include <QTextEdit>

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent);

    void setColor(TColor color);
    TColor color() const { return m_color; }

    // Replaces the whole content with the file's, read by TextReader as RTF
    // or plain text. Throws EToolkitError "Datei <name> kann nicht geöffnet
    // werden" when the file cannot be opened for reading (also a folder or a
    // device), and "Das Laden des Streams ist mißlungen" when the content is
    // neither RTF nor text, is larger than TextReader::maxInputBytes, or
    // cannot be read to its end. On either error the previous content stays.
    void loadFromFile(const QString& name);

private:
    TColor m_color = clWhite;
};
