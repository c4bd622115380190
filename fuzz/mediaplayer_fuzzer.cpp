// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target of the sound engine's decoder: the input is a sound file's
// bytes, which go to the decoder process over its socket, as a file's path
// does in the game: no widgets, no application object, no scratch file. The
// same decoder process, libsndfile readers and reading of the answer are run
// as for a file; only the fetching of the bytes differs (libsndfile's virtual
// I/O instead of a file). libsndfile runs in the decoder's process and is not
// instrumented, so what the decoder reports of a file (its format,
// libsndfile's error, a stall or a dead decoder) is given to libFuzzer as
// coverage, keeping inputs of every kind in the corpus.
#include "FuzzSupport.h"
#include "PulseOutput.h"
#include "SoundDecoder.h"

#include <QByteArray>
#include <QString>

#include <sndfile.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void coverReport(const SoundFileReport& report)
{
    if (report.ending == SoundFileReport::Ending::Stalled || report.ending == SoundFileReport::Ending::DecoderDied) {
        coverValue(3, report.ending == SoundFileReport::Ending::Stalled ? 62 : 63);
        return;
    }
    if (report.format == 0) {
        coverValue(0, static_cast<unsigned>(report.sndfileError));
        return;
    }
    const auto sub = static_cast<unsigned>(report.format & SF_FORMAT_SUBMASK);
    coverValue(1, static_cast<unsigned>((report.format & SF_FORMAT_TYPEMASK) >> 16));
    coverValue(2, sub ^ (sub >> 6));
    coverValue(3,
        static_cast<unsigned>(std::clamp(report.channels, 0, 7)) * 8
            + static_cast<unsigned>(
                std::bit_width(static_cast<std::uint64_t>(std::max<std::int64_t>(report.frames, 0))) / 8));
}

QString failureName(SoundFailure failure)
{
    switch (failure) {
    case SoundFailure::None: return QStringLiteral("decoded");
    case SoundFailure::FileNotFound: return QStringLiteral("file not found");
    case SoundFailure::NotPlayable: return QStringLiteral("not playable");
    case SoundFailure::Unreadable: return QStringLiteral("unreadable");
    }
    return QStringLiteral("?");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedSound sound = SoundDecoder::decodeBytes(bytes);
    coverReport(sound.report);
    if (sound.failure != SoundFailure::None) {
        const char* how = sound.report.ending == SoundFileReport::Ending::Stalled ? "decoder stalled, "
            : sound.report.ending == SoundFileReport::Ending::DecoderDied         ? "decoder died, "
                                                                                  : "";
        reportOutcome(how + failureName(sound.failure));
        return 0;
    }
    // What the media player hands the output: whole frames within the bounds.
    const qsizetype frameBytes = qsizetype(sound.channels) * 2;
    if (!SoundWire::inBounds(sound.channels, sound.rate) || sound.pcm.isEmpty() || sound.pcm.size() % frameBytes != 0) {
        std::fprintf(stderr, "decoded sound out of bounds: %d channels, %d Hz, %lld bytes\n", sound.channels,
            sound.rate, static_cast<long long>(sound.pcm.size()));
        std::abort();
    }
    reportOutcome(QStringLiteral("%1, %2 us%3")
                      .arg(failureName(sound.failure))
                      .arg(sound.pcm.size() / frameBytes * 1000000 / sound.rate)
                      .arg(PulseOutput::playable(sound.channels, sound.rate) ? "" : ", not playable by the output"));
    return 0;
}
