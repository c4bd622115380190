// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's instructions as an RTF document in the Central European code
// page (Windows-1250), the way a word processor of the platform writes them.
#pragma once

#include <QByteArray>
#include <QString>

namespace Anleitung {

QByteArray rtf();

// One character of text as it stands in RTF: ASCII as itself (with \, { and }
// escaped), other characters as \'xx in Windows-1250, and characters outside
// that code page as \uN followed by a '?' for readers without Unicode.
QByteArray rtfZeichen(QChar zeichen);

} // namespace Anleitung
