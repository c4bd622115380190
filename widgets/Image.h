// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A picture without a window of its own, drawn at its natural size from the
// widget's top-left corner and clipped to the widget; the part it does not
// cover shows what lies below. With Transparent the pixels of the colour of
// the picture's bottom-left pixel are left out.
#pragma once

#include "GraphicControl.h"

#include <QImage>

class TImage : public TGraphicControl {
    Q_OBJECT

public:
    // 105 x 105, without a picture.
    explicit TImage(QWidget* parent);

    void setPicture(const QImage& picture);
    QImage picture() const { return m_picture; }
    // Replaces the picture by the file's; the format is chosen by the file
    // name's extension ("bmp", "png", "jpg", "jpeg"). Throws EToolkitError
    // and keeps the previous picture when the file cannot be opened, the
    // extension is unknown or the content is not a valid picture.
    void loadFromFile(const QString& fileName);
    void setTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void prepareDisplay();

    QImage m_picture;
    QImage m_display;
    bool m_transparent = false;
};
