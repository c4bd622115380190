// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target of the clock clip reader: the input is the bytes of an AVI
// file, which AviReader checks and decodes (plain clips with its own reader,
// compressed ones through FFmpeg). A clip it reads must hold what the clock
// widget relies on: a frame for every frame of the main header, none empty.
#include "AviReader.h"
#include "FuzzSupport.h"

#include <QByteArray>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString nameOf(AviReader::Outcome outcome)
{
    switch (outcome) {
    case AviReader::Outcome::Read: return QStringLiteral("read");
    case AviReader::Outcome::TooLarge: return QStringLiteral("too large");
    case AviReader::Outcome::NotAvi: return QStringLiteral("not AVI");
    case AviReader::Outcome::BeyondLimits: return QStringLiteral("beyond the limits");
    case AviReader::Outcome::Corrupt: return QStringLiteral("corrupt");
    case AviReader::Outcome::NoCodecLibrary: return QStringLiteral("no FFmpeg");
    case AviReader::Outcome::Undecodable: return QStringLiteral("undecodable");
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Raw data, not a copy: the sanitizer then sees any read past its end.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    AviReader::Clip clip;
    const AviReader::Outcome outcome = AviReader::read(bytes, clip);
    if (outcome != AviReader::Outcome::Read) {
        reportOutcome(nameOf(outcome)); // refused: the error the game shows
        return 0;
    }
    reportOutcome(QStringLiteral("%1 frames of %2 x %3, %4 us each")
                      .arg(clip.frames.size())
                      .arg(clip.size.width())
                      .arg(clip.size.height())
                      .arg(clip.microsecondsPerFrame));
    if (clip.frames.empty() || std::any_of(clip.frames.begin(), clip.frames.end(), [](const QImage& frame) {
            return frame.isNull() || frame.format() != QImage::Format_ARGB32_Premultiplied;
        }))
        std::abort();
    // FFmpeg is not instrumented: what it made of the clip guides the search.
    coverValue(0, static_cast<unsigned>(std::min<std::size_t>(clip.frames.size(), 63)));
    coverValue(1, static_cast<unsigned>(clip.frames.front().width()));
    coverValue(2, static_cast<unsigned>(clip.frames.front().height()));
    coverValue(3, static_cast<unsigned>(std::bit_width(clip.microsecondsPerFrame)));
    return 0;
}
