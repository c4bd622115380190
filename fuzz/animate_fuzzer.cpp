// Fuzz target of the clock clip reader: the input is an ".avi" file given to
// a new TAnimate, which checks the RIFF header and decodes every frame (plain
// clips with its own reader, compressed ones through FFmpeg); a clip it
// accepts is shown frame by frame and played and stopped.
#include "Animate.h"
#include "FuzzSupport.h"
#include "ToolkitError.h"

#include <QImage>

#include <algorithm>
#include <bit>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeScratchFile(QStringLiteral("TintariumUhr.avi"), data, size);
    TAnimate clip(nullptr);
    clip.setTimeSource([] { return std::int64_t(0); });
    try {
        clip.setFileName(path);
    } catch (const EToolkitError& e) {
        reportOutcome(e.text());
        return 0; // refused: the error the game shows
    }
    reportOutcome(QStringLiteral("%1 frames of %2 x %3, %4 us each")
                      .arg(clip.frameCount())
                      .arg(clip.width())
                      .arg(clip.height())
                      .arg(clip.microsecondsPerFrame()));
    // FFmpeg is not instrumented: what it made of the clip guides the search.
    coverValue(0, static_cast<unsigned>(std::min(clip.frameCount(), 63)));
    coverValue(1, static_cast<unsigned>(clip.width()));
    coverValue(2, static_cast<unsigned>(clip.height()));
    coverValue(3, static_cast<unsigned>(std::bit_width(static_cast<std::uint64_t>(clip.microsecondsPerFrame()))));
    QImage canvas(clip.size(), QImage::Format_ARGB32);
    for (int number = 1; number <= clip.frameCount(); ++number)
        canvas = clip.frame(number);
    clip.Play(1, clip.frameCount(), 1);
    clip.Stop();
    return 0;
}
