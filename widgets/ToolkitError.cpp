// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit's error type: a std::runtime_error whose what() is UTF-8.
#include "ToolkitError.h"

EToolkitError::EToolkitError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

EToolkitError::EToolkitError(const std::string& utf8Message)
    : std::runtime_error(utf8Message)
{
}

EToolkitError::EToolkitError(const char* utf8Message)
    : std::runtime_error(utf8Message)
{
}

QString EToolkitError::text() const
{
    return QString::fromUtf8(what());
}
