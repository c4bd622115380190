// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A raised container: a one-pixel raised outer bevel, optionally a raised
// inner bevel and a single-line border, filled with its colour (clBtnFace
// unless set), with its caption centred under any children.
#pragma once

#include "Typen.h"

#include <QWidget>

class TPanel : public QWidget {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setColor(TColor color);
    void setBevelInner(bool raised);
    void setBorderSingle(bool single);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    TColor m_color = clBtnFace;
    bool m_bevelInner = false;
    bool m_borderSingle = false;
};
