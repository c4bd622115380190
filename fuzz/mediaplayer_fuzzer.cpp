// Fuzz target of the sound file reader: the input is a ".wav" file that a
// TMediaPlayer opens, decoding it whole with libsndfile. No sound server
// runs here, so a file that decodes ends at the missing output device; the
// reading and the checks before it are what is exercised. libsndfile itself
// is not instrumented, so the format it recognises is reported to libFuzzer
// as coverage, keeping inputs of every format in the corpus.
#include "FuzzSupport.h"
#include "MediaPlayer.h"
#include "ToolkitError.h"

#include <sndfile.h>

#include <algorithm>
#include <bit>
#include <cstdio>

namespace {

// libsndfile reading from the fuzzer's buffer.
struct Memory {
    const std::uint8_t* data;
    sf_count_t size;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user)
{
    return static_cast<Memory*>(user)->size;
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    auto* m = static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->position : m->size;
    m->position = std::clamp<sf_count_t>(base + offset, 0, m->size);
    return m->position;
}

sf_count_t memoryRead(void* to, sf_count_t count, void* user)
{
    auto* m = static_cast<Memory*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, m->size - m->position);
    std::copy_n(m->data + m->position, n, static_cast<std::uint8_t*>(to));
    m->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* user)
{
    return static_cast<Memory*>(user)->position;
}

void coverFormat(const std::uint8_t* data, std::size_t size)
{
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    Memory memory{data, static_cast<sf_count_t>(size)};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file) {
        coverValue(0, static_cast<unsigned>(sf_error(nullptr)));
        return;
    }
    const auto sub = static_cast<unsigned>(info.format & SF_FORMAT_SUBMASK);
    coverValue(1, static_cast<unsigned>((info.format & SF_FORMAT_TYPEMASK) >> 16));
    coverValue(2, sub ^ (sub >> 6));
    coverValue(3, static_cast<unsigned>(std::min(info.channels, 8)) * 8
                      + static_cast<unsigned>(std::bit_width(static_cast<std::uint64_t>(std::max<sf_count_t>(info.frames, 0))) / 8));
    sf_close(file);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    coverFormat(data, size);
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
