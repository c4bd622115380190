// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading and drawing of pictures. PictureReader checks and decodes the
// file; this widget turns what went wrong into the toolkit's messages.
#include "Image.h"

#include "ColourKey.h"
#include "PictureReader.h"
#include "ToolkitError.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace {

// The extension as the user wrote it: what follows the last dot of the
// file's name (empty without a dot).
QString extensionOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return QString();
    return fileName.mid(dot + 1);
}

} // namespace

TImage::TImage(QWidget* parent)
    : TGraphicControl(parent)
{
    resize(105, 105);
}

void TImage::setPicture(const QImage& picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    prepareDisplay();
    update();
}

void TImage::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    prepareDisplay();
    update();
}

void TImage::loadFromFile(const QString& fileName)
{
    const QString extension = extensionOf(fileName);
    const std::optional<PictureReader::Format> format = PictureReader::formatOfExtension(extension);
    if (!format)
        throw EToolkitError(QString::fromUtf8("Unbekannte Bilddateierweiterung (.%1)").arg(extension));

    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw EToolkitError(QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(fileName));

    // Whatever is wrong with the content gives one message; a file too
    // large is not even read, and one that gives no size (a pipe, a device)
    // only up to one byte past the limit.
    const QString invalid
        = QString::fromUtf8(*format == PictureReader::Format::Bitmap ? "Bitmap ist ungültig" : "Bild ist ungültig");
    if (file.size() > PictureReader::maxFileBytes)
        throw EToolkitError(invalid);
    QImage loaded;
    if (PictureReader::read(file.read(PictureReader::maxFileBytes + 1), *format, loaded)
        != PictureReader::Outcome::Read)
        throw EToolkitError(invalid);
    setPicture(loaded);
}

void TImage::prepareDisplay()
{
    if (!m_transparent || m_picture.isNull()) {
        m_display = m_picture;
        return;
    }
    m_display = withoutKeyColour(m_picture, m_picture.pixel(0, m_picture.height() - 1));
}

void TImage::paintEvent(QPaintEvent*)
{
    if (m_display.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_display);
}
