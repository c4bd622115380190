// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A text with a window of its own, drawn in its font colour on its
// background colour (by default its parent's); its size is always set by the
// program.
#pragma once

#include "Typen.h"

#include <QWidget>

#include <optional>

class TStaticText : public QWidget {
    Q_OBJECT

public:
    explicit TStaticText(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setColor(TColor color);
    TColor color() const { return m_color.value_or(clBtnFace); }
    void setFontColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    std::optional<TColor> m_color;
    TColor m_fontColor = clWindowText;
};
