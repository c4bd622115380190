// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A text without a window of its own. With AutoSize (the default) its size
// follows the caption (with WordWrap only its height); otherwise the size is
// fixed and WordWrap breaks the text at word boundaries. Unless transparent it
// fills its rectangle with its colour (by default its parent's). onClick runs
// when the left button is pressed and released over it; the second press of
// a double-click does not count again.
#pragma once

#include "GraphicControl.h"
#include "Typen.h"

#include <functional>
#include <optional>

class TLabel : public TGraphicControl {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setAutoSize(bool autoSize);
    void setWordWrap(bool wordWrap);
    void setCentered(bool centered);
    void setTransparent(bool transparent);
    void setColor(TColor color);
    void setFontColor(TColor color);

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void adjustSize();
    int textFlags() const;

    QString m_caption;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_centered = false;
    bool m_transparent = false;
    bool m_leftPressed = false;
    bool m_adjusting = false;
    std::optional<TColor> m_color;
    TColor m_fontColor = clWindowText;
};
