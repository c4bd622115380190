// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A single-line edit field; the user cannot type more than MaxLength
// characters. Enter is left to the form (its default button).
#pragma once

#include <QLineEdit>

class TEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent);
};
