// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit's error type. Every failure of the toolkit layer is raised as an
// EToolkitError carrying a German message in UTF-8; the application object
// catches it around the delivery of an event and shows it in the error box.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>

class EToolkitError : public std::runtime_error {
public:
    explicit EToolkitError(const QString& message);
    explicit EToolkitError(const std::string& utf8Message);
    explicit EToolkitError(const char* utf8Message);

    // The message as shown to the user.
    QString text() const;
};

// Failures of the sound device (opening or playing a sound file).
class EMCIDeviceError : public EToolkitError {
public:
    using EToolkitError::EToolkitError;
};
