// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target of the picture reader: the input is the bytes of a ".bmp"
// file, which PictureReader checks and Qt decodes; a picture it reads is
// keyed on its bottom-left pixel, as the clock segment pictures are shown.
#include "ColourKey.h"
#include "FuzzSupport.h"
#include "PictureReader.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Raw data, not a copy: the sanitizer then sees any read past its end.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage picture;
    switch (PictureReader::read(bytes, PictureReader::Format::Bitmap, picture)) {
    case PictureReader::Outcome::Read: break;
    case PictureReader::Outcome::TooLarge: reportOutcome(QStringLiteral("too large")); return 0;
    case PictureReader::Outcome::InvalidBitmap: reportOutcome(QStringLiteral("invalid bitmap")); return 0;
    case PictureReader::Outcome::Undecodable: reportOutcome(QStringLiteral("undecodable")); return 0;
    }
    reportOutcome(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
    // Qt's decoder is not instrumented: what it made of the file guides the search.
    coverValue(0, static_cast<unsigned>(picture.format()));
    coverValue(1, static_cast<unsigned>(picture.width()));
    coverValue(2, static_cast<unsigned>(picture.height()));
    coverValue(3, static_cast<unsigned>(picture.colorCount()));
    const QImage keyed = withoutKeyColour(picture, picture.pixel(0, picture.height() - 1));
    if (keyed.size() != picture.size() || keyed.pixel(0, picture.height() - 1) != 0)
        std::abort();
    return 0;
}
