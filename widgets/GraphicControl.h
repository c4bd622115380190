// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Base of the widget kinds that have no window of their own on the old
// platform (TLabel, TImage, TShape). Within a container they lie below every
// windowed sibling (panels, buttons, edits, ...); among themselves the one
// created or given its parent later lies above. They take every mouse press
// over their whole rectangle, so a press never reaches a widget below.
#pragma once

#include <QWidget>

class TGraphicControl : public QWidget {
    Q_OBJECT

public:
    explicit TGraphicControl(QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Moves this widget just below the lowest windowed sibling.
    void restack();
};
