// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A framed container with its caption on the top edge at the left. Children
// docked to the bottom fill the width of the client area, which starts below
// the caption line and is inset by 2 pixels from the frame on the other sides.
#pragma once

#include "Typen.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class TGroupBox : public QWidget {
    Q_OBJECT

public:
    explicit TGroupBox(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    // Without a colour of its own the box is filled with its parent's.
    void setColor(TColor color);

    QRect clientArea() const;
    // Places child at the bottom of the client area, stretched to its width,
    // keeping its height; kept there when the box is resized.
    void dockBottom(QWidget* child);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The height of the caption line (the digit "0" in the box's font).
    int captionHeight() const;

private:
    void redock();

    QString m_caption;
    std::optional<TColor> m_color;
    std::vector<QPointer<QWidget>> m_docked;
};
