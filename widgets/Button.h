// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A push button. onClick runs for a left click (press and release over the
// button), for the space key while the button has the focus, and for Enter:
// on the focused button itself, otherwise on its form's default button.
#pragma once

#include <QPushButton>

#include <functional>

class TButton : public QPushButton {
    Q_OBJECT

public:
    explicit TButton(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const;

    std::function<void()> onClick;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void runClickHandler();
};
