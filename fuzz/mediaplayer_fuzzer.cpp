// Fuzz target of the sound file reader: the input is a ".wav" file that a
// TMediaPlayer opens, decoding it whole with libsndfile. No sound server
// runs here, so a file that decodes ends at the missing output device; the
// reading and the checks before it are what is exercised.
#include "FuzzSupport.h"
#include "MediaPlayer.h"
#include "ToolkitError.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeScratchFile(QStringLiteral("TintariumRichtig.wav"), data, size);
    TMediaPlayer player(nullptr);
    player.setFileName(path);
    try {
        player.Open();
        reportOutcome(QStringLiteral("opened, %1 us").arg(player.lengthUSecs()));
        player.Close();
    } catch (const EToolkitError& e) {
        reportOutcome(e.text()); // refused: the error the game shows
    }
    return 0;
}
