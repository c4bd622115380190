// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lookup of the media files: the working directory, then the installed
// data folder.
#include "Mediendateien.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Anything of that name in the working directory counts as there, a folder or
// a dangling link too, so that it fails with the message it always gave.
bool imArbeitsordner(const QString& name)
{
    const QFileInfo eintrag(name);
    return eintrag.exists() || eintrag.isSymLink();
}

// The installed data folder of this program, found from the program's own
// location; it need not exist (a program in the build tree has none).
QString installierterDatenordner()
{
    // Without an application object the program's location is unknown.
    if (QCoreApplication::instance() == nullptr)
        return {};
    // TINTARIUM_MEDIEN_VOM_PROGRAMM is the data folder relative to the
    // installed program's folder, taken from the install layout at configure
    // time; applicationDirPath is the program's real folder.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" TINTARIUM_MEDIEN_VOM_PROGRAMM));
}

} // namespace

QString Mediendatei(const QString& name)
{
    return Mediendatei(name, installierterDatenordner());
}

QString Mediendatei(const QString& name, const QString& datenordner)
{
    if (imArbeitsordner(name) || datenordner.isEmpty())
        return name;
    const QString installiert = QDir(datenordner).filePath(name);
    return QFileInfo(installiert).isFile() ? installiert : name;
}
