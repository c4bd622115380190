// The sound file reader of the media player: libsndfile decodes the whole
// file at once, so playing never waits for the disk.
#include "SoundDecoder.h"

#include "MediaPlayer.h"
#include "ToolkitError.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

// Bounds for what a sound cue may be; a corrupt header may claim anything.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr qint64 kMaxPcmBytes = 256ll * 1024 * 1024;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

[[noreturn]] void fail(const QString& text)
{
    throw EMCIDeviceError(text);
}

} // namespace

DecodedSound decodeSoundFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        fail(TMediaPlayer::fileNotFoundText());
    if (info.isDir())
        fail(TMediaPlayer::notPlayableText());

    SF_INFO format{};
    errno = 0;
    const std::unique_ptr<SNDFILE, SndfileCloser> file(
        sf_open(QFile::encodeName(fileName).constData(), SFM_READ, &format));
    if (!file) {
        const int systemError = errno;
        // libsndfile names a format fault with one of many codes; only a
        // system error says anything about the file itself.
        if (sf_error(nullptr) != SF_ERR_SYSTEM)
            fail(TMediaPlayer::notPlayableText());
        fail(systemError == ENOENT ? TMediaPlayer::fileNotFoundText() : TMediaPlayer::unknownErrorText());
    }
    if (format.channels < 1 || format.channels > kMaxChannels || format.samplerate < kMinRate
        || format.samplerate > kMaxRate)
        fail(TMediaPlayer::notPlayableText());
    // Floating-point files are scaled to the 16-bit range instead of clipped.
    sf_command(file.get(), SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);

    // Read until the data ends rather than trusting the frame count in the
    // header: a truncated file simply yields fewer samples.
    // The samples go straight into the buffer, sized from the header's count
    // but never beyond what the file could hold, nor beyond the bound.
    const qint64 frameBytes = format.channels * qint64(sizeof(short));
    const qint64 maxFrames = kMaxPcmBytes / frameBytes;
    const qint64 fileFrames = std::max<qint64>(info.size(), 0) / format.channels; // a byte a sample at least
    const qint64 guess = std::min(std::clamp<qint64>(format.frames, 4096, std::max<qint64>(fileFrames, 4096)), maxFrames);
    QByteArray pcm(guess * frameBytes, Qt::Uninitialized);
    qint64 filled = 0; // bytes
    for (;;) {
        if (filled == pcm.size()) {
            if (pcm.size() == maxFrames * frameBytes) { // full: one more frame is too many
                short probe[kMaxChannels];
                if (sf_readf_short(file.get(), probe, 1) > 0)
                    fail(TMediaPlayer::notPlayableText());
                break;
            }
            pcm.resize(std::min(pcm.size() * 2, maxFrames * frameBytes));
        }
        const sf_count_t frames = sf_readf_short(
            file.get(), reinterpret_cast<short*>(pcm.data() + filled), (pcm.size() - filled) / frameBytes);
        if (frames <= 0)
            break;
        filled += frames * frameBytes;
    }
    pcm.truncate(filled);
    if (pcm.isEmpty()) // a header without samples: nothing to play
        fail(TMediaPlayer::notPlayableText());
    return {std::move(pcm), format.channels, format.samplerate};
}
