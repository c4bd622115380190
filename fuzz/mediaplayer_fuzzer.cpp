// Fuzz target of the sound file reader: the input is a ".wav" file that the
// decoder reads, and a TMediaPlayer opens when it decodes. No sound server
// runs here, so a file that decodes ends at the missing output device; the
// reading and the checks before it are what is exercised. libsndfile runs in
// the decoder's process and is not instrumented, so what the decoder reports
// of a file (its format, libsndfile's error, a stall or a dead decoder) is
// given to libFuzzer as coverage, keeping inputs of every kind in the corpus.
#include "FuzzSupport.h"
#include "MediaPlayer.h"
#include "SoundDecoder.h"
#include "ToolkitError.h"

#include <QApplication>

#include <sndfile.h>

#include <algorithm>
#include <bit>
#include <cstdint>

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
                std::bit_width(static_cast<std::uint64_t>(std::max<qint64>(report.frames, 0))) / 8));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication<QApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeScratchFile(QStringLiteral("TintariumRichtig.wav"), data, size);
    SoundFileReport report;
    try {
        decodeSoundFile(path, &report);
    } catch (const EToolkitError& e) {
        coverReport(report);
        const char* how = report.ending == SoundFileReport::Ending::Stalled ? "decoder stalled, "
            : report.ending == SoundFileReport::Ending::DecoderDied         ? "decoder died, "
                                                                            : "";
        reportOutcome(how + e.text()); // refused: the error the game shows
        return 0;
    }
    coverReport(report);
    // A file that decodes goes through the player as the game opens it.
    TMediaPlayer player(nullptr);
    player.setFileName(path);
    try {
        player.Open();
        reportOutcome(QStringLiteral("opened, %1 us").arg(player.lengthUSecs()));
        player.Close();
    } catch (const EToolkitError& e) {
        reportOutcome(e.text());
    }
    return 0;
}
