// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The decoder process. libsndfile detects dozens of formats, and some of its
// parsers spin on a spoiled file (a RIFF LIST chunk of 0xFF bytes keeps 1.2.0
// busy for minutes) or crash, so it runs only here, in a process that holds
// nothing of the game's but a copy of its memory: no descriptor but its
// socket, no signal handler, no exit handler. It reads a request, decodes the
// whole file into 16-bit samples and sends them a chunk at a time, with
// blocking reads and writes, since it has nothing else to do.
#include "SoundDecoderProcess.h"

#include "SoundWire.h"

#include <sndfile.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace SoundWire;

constexpr int kDecoderSocket = 3; // 0, 1 and 2 are /dev/null

bool readAll(int socket, void* data, std::size_t size)
{
    char* to = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::read(socket, to, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        to += got;
        size -= std::size_t(got);
    }
    return true;
}

// A file sent as bytes, read by libsndfile through its virtual I/O.
struct MemoryFile {
    const char* data;
    sf_count_t size;
    sf_count_t at;
};

sf_count_t memoryLength(void* file)
{
    return static_cast<MemoryFile*>(file)->size;
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* file)
{
    auto* memory = static_cast<MemoryFile*>(file);
    const sf_count_t from = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? memory->at : memory->size;
    if ((whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) || offset < -from || offset > INT64_MAX - from)
        return -1;
    memory->at = from + offset; // past the end is allowed, as in a file; reads there get nothing
    return memory->at;
}

sf_count_t memoryRead(void* to, sf_count_t count, void* file)
{
    auto* memory = static_cast<MemoryFile*>(file);
    const sf_count_t bytes = std::clamp<sf_count_t>(memory->size - memory->at, 0, std::max<sf_count_t>(count, 0));
    if (bytes > 0)
        std::memcpy(to, memory->data + memory->at, std::size_t(bytes));
    memory->at += bytes;
    return bytes;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* file)
{
    return static_cast<MemoryFile*>(file)->at;
}

// Answers one opened (or not opened) file; false when the game has gone.
bool sendAnswer(int socket, SNDFILE* file, const SF_INFO& info, std::vector<short>& samples)
{
    Answer answer {};
    if (!file) {
        answer.result = Answer::CannotOpen;
        answer.systemError = errno;
        answer.sndfileError = sf_error(nullptr);
        return sendAll(socket, &answer, sizeof answer);
    }
    const bool playable = inBounds(info.channels, info.samplerate);
    answer.result = playable ? Answer::Opened : Answer::OutOfBounds;
    answer.format = info.format;
    answer.channels = info.channels;
    answer.rate = info.samplerate;
    answer.frames = info.frames;
    bool gameThere = sendAll(socket, &answer, sizeof answer);
    if (playable) {
        // Floating-point files are scaled to the 16-bit range instead of clipped.
        sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
        // Read until the data ends rather than trusting the frame count in
        // the header: a truncated file simply yields fewer samples.
        const auto frameBytes = std::uint32_t(info.channels * sizeof(short));
        std::int64_t sent = 0;
        while (gameThere) {
            const sf_count_t frames = sf_readf_short(file, samples.data(), kChunkBytes / frameBytes);
            const auto bytes = std::uint32_t(std::max<sf_count_t>(frames, 0) * frameBytes);
            if (bytes == 0 || sent + bytes > kMaxPcmBytes) {
                const std::uint32_t last = bytes == 0 ? 0 : kTooLong;
                gameThere = sendAll(socket, &last, sizeof last);
                break;
            }
            gameThere = sendAll(socket, &bytes, sizeof bytes) && sendAll(socket, samples.data(), bytes);
            sent += bytes;
        }
    }
    return gameThere;
}

// Reads the request's bytes and answers it; false when the game has gone or
// is out of step.
bool answerRequest(int socket, const Request& request, std::vector<char>& payload, std::vector<short>& samples)
{
    const bool isPath = request.kind == Request::Path;
    if ((!isPath && request.kind != Request::Bytes) || (isPath && request.length == 0)
        || request.length > (isPath ? kMaxPathBytes : kMaxFileBytes))
        return false;
    payload.assign(request.length + 1, '\0'); // a path ends with its 0
    if (!readAll(socket, payload.data(), request.length))
        return false;
    SF_INFO info {};
    MemoryFile memory { payload.data(), sf_count_t(request.length), 0 };
    SF_VIRTUAL_IO io { memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell };
    errno = 0;
    SNDFILE* file = isPath ? sf_open(payload.data(), SFM_READ, &info) : sf_open_virtual(&io, SFM_READ, &info, &memory);
    const bool gameThere = sendAnswer(socket, file, info, samples);
    if (file)
        sf_close(file);
    return gameThere;
}

} // namespace

void runSoundDecoderProcess(int socket, int gameEnd, pid_t game)
{
    // Killed when the thread that forked it ends, which in the game is the
    // main thread; if the game is gone already, it ends at once.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != game)
        ::_exit(0);
    ::prctl(PR_SET_NAME, "tintarium-sound");
    // The game's signal handlers (a sanitizer's or a fuzzer's among them)
    // have no business here: a crash of libsndfile just ends the decoder.
    struct sigaction plain { };
    plain.sa_handler = SIG_DFL;
    for (int number = 1; number < NSIG; ++number)
        ::sigaction(number, &plain, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // No descriptor of the game's stays open: only the socket, and
    // /dev/null for the standard ones.
    ::close(gameEnd);
    if (socket != kDecoderSocket && ::dup2(socket, kDecoderSocket) != kDecoderSocket)
        ::_exit(1);
    ::close_range(kDecoderSocket + 1, ~0U, 0);
    const int null = ::open("/dev/null", O_RDWR);
    for (int standard = 0; standard < 3; ++standard)
        ::dup2(null, standard);
    if (null > 2)
        ::close(null);

    std::vector<short> samples(kChunkBytes / sizeof(short));
    std::vector<char> payload;
    if (!sendAll(kDecoderSocket, &kReady, 1))
        ::_exit(0);
    for (;;) {
        Request request {};
        if (!readAll(kDecoderSocket, &request, sizeof request)
            || !answerRequest(kDecoderSocket, request, payload, samples))
            ::_exit(0);
    }
}
