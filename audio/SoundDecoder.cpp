// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's side of the sound decoder. libsndfile decodes the whole file at
// once, so playing never waits for the disk; it does so in the decoder process
// (SoundDecoderProcess), forked at the first decode and kept for the next
// ones. The game sends it a path, or a file's bytes, over a socket and reads
// back the format and the samples (SoundWire.h), waiting at most kStallMs for
// each next piece. A decoder that stalls or breaks off is killed and reaped,
// and the next decode forks a fresh one. The decoder is killed when the game
// ends.
#include "SoundDecoder.h"

#include "SoundDecoderProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sndfile.h>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

using namespace SoundWire;

// A decode is given up when the decoder sends nothing for this long: it
// answers within a millisecond for a real file, then sends its samples a
// chunk at a time.
constexpr int kStallMs = 500;
// A fresh decoder reports ready within this time, or is replaced once.
constexpr int kStartMs = 1000;
// A killed decoder is waited for this long at most (see stop()).
constexpr int kReapMs = 1000;
// libsndfile loses memory on some spoiled files (5.7 KB for each Ogg Vorbis
// header 1.2.0 gives up on), so a decoder is replaced after this many files.
constexpr int kFilesPerDecoder = 256;

enum class Received { All, Stalled, Ended };

// Reads exactly `size` bytes, waiting at most `stallMs` for each next piece.
Received receive(int socket, void* data, std::size_t size, int stallMs)
{
    using Clock = std::chrono::steady_clock;
    char* to = static_cast<char*>(data);
    auto deadline = Clock::now() + std::chrono::milliseconds(stallMs);
    while (size > 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd readable { socket, POLLIN, 0 };
        const int polled = ::poll(&readable, 1, int(std::max<decltype(left)>(left, 0)));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled == 0)
            return Received::Stalled;
        const ssize_t got = ::read(socket, to, size);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            return Received::Ended;
        to += got;
        size -= std::size_t(got);
        deadline = Clock::now() + std::chrono::milliseconds(stallMs);
    }
    return Received::All;
}

DecodedSound refused(SoundFailure why, const SoundFileReport& report = {})
{
    DecodedSound sound;
    sound.failure = why;
    sound.report = report;
    return sound;
}

} // namespace

DecodedSound SoundDecoder::decodeFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        return refused(SoundFailure::FileNotFound);
    if (info.isDir())
        return refused(SoundFailure::NotPlayable);
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    if (path.size() > qsizetype(kMaxPathBytes))
        return refused(SoundFailure::Unreadable);
    return shared().decode(Request::Path, path, info.size());
}

DecodedSound SoundDecoder::decodeBytes(const QByteArray& bytes)
{
    if (bytes.size() > qsizetype(kMaxFileBytes))
        return refused(SoundFailure::NotPlayable);
    return shared().decode(Request::Bytes, bytes, bytes.size());
}

SoundDecoder& SoundDecoder::shared()
{
    static SoundDecoder decoder;
    return decoder;
}

SoundDecoder::~SoundDecoder()
{
    stop();
    reapLeftovers();
}

bool SoundDecoder::start()
{
    // A fresh decoder might never get ready, should another thread of the
    // game have held a lock of the allocator at the fork; a second one is
    // tried then.
    for (int attempt = 0; attempt < 2; ++attempt) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return false;
        const pid_t game = ::getpid();
        const pid_t pid = ::fork();
        if (pid == 0)
            runSoundDecoderProcess(ends[1], ends[0], game);
        ::close(ends[1]);
        if (pid < 0) {
            ::close(ends[0]);
            return false;
        }
        m_pid = pid;
        m_socket = ends[0];
        m_pidfd = int(::syscall(SYS_pidfd_open, pid, 0)); // glibc 2.36's header lacks C linkage
        m_files = 0;
        char ready = 0;
        if (receive(m_socket, &ready, 1, kStartMs) == Received::All && ready == kReady)
            return true;
        stop();
    }
    return false;
}

void SoundDecoder::stop() noexcept
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ::close(m_socket);
    // SIGKILL ends the decoder at once unless it waits inside the kernel
    // (on a hung network file system); such a one is reaped later.
    if (m_pidfd >= 0) {
        pollfd ended { m_pidfd, POLLIN, 0 };
        ::poll(&ended, 1, kReapMs);
        ::close(m_pidfd);
        if (::waitpid(m_pid, nullptr, WNOHANG) == 0)
            m_unreaped.push_back(m_pid);
    } else {
        ::waitpid(m_pid, nullptr, 0); // a kernel without process descriptors
    }
    m_pid = 0;
    m_socket = -1;
    m_pidfd = -1;
}

void SoundDecoder::reapLeftovers() noexcept
{
    std::erase_if(m_unreaped, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool SoundDecoder::idle() const
{
    pollfd readable { m_socket, POLLIN, 0 };
    return ::poll(&readable, 1, 0) == 0;
}

bool SoundDecoder::receiveAnswer(void* data, std::size_t size, SoundFileReport& report)
{
    switch (receive(m_socket, data, size, kStallMs)) {
    case Received::All: return true;
    case Received::Stalled: report.ending = SoundFileReport::Ending::Stalled; break;
    case Received::Ended: report.ending = SoundFileReport::Ending::DecoderDied; break;
    }
    return false;
}

DecodedSound SoundDecoder::decode(Request::Kind kind, const QByteArray& payload, std::int64_t sizeHint)
{
    const std::lock_guard lock(m_mutex);
    reapLeftovers();
    if (m_pid > 0 && (m_files >= kFilesPerDecoder || !idle()))
        stop();
    if (m_pid <= 0 && !start())
        return refused(SoundFailure::Unreadable);
    ++m_files;
    // Until the answer has been read to its end, any way out leaves the
    // decoder out of step with the game, or running away: it goes.
    auto outOfStep = qScopeGuard([this] { stop(); });
    const Request request { kind, std::uint32_t(payload.size()) };
    if (!sendAll(m_socket, &request, sizeof request) || !sendAll(m_socket, payload.constData(), request.length))
        return refused(SoundFailure::Unreadable);

    SoundFileReport report;
    Answer answer {};
    if (!receiveAnswer(&answer, sizeof answer, report))
        return refused(SoundFailure::NotPlayable, report);
    report.sndfileError = answer.sndfileError;
    report.format = answer.format;
    report.channels = answer.channels;
    report.frames = answer.frames;
    if (answer.result == Answer::CannotOpen) {
        outOfStep.dismiss();
        // libsndfile names a format fault with one of many codes; only a
        // system error says anything about the file itself.
        if (answer.sndfileError != SF_ERR_SYSTEM)
            return refused(SoundFailure::NotPlayable, report);
        return refused(answer.systemError == ENOENT ? SoundFailure::FileNotFound : SoundFailure::Unreadable, report);
    }
    if (answer.result == Answer::OutOfBounds)
        outOfStep.dismiss();
    if (answer.result != Answer::Opened || !inBounds(answer.channels, answer.rate))
        return refused(SoundFailure::NotPlayable, report);

    // The samples go straight into the buffer, sized from the header's count
    // but never beyond what the file could hold, nor beyond the bound.
    const std::int64_t frameBytes = answer.channels * std::int64_t(sizeof(short));
    const std::int64_t maxBytes = kMaxPcmBytes / frameBytes * frameBytes;
    const std::int64_t fileFrames = std::max<std::int64_t>(sizeHint, 0) / answer.channels; // a byte a sample at least
    const std::int64_t guess = std::clamp<std::int64_t>(answer.frames, 4096, std::max<std::int64_t>(fileFrames, 4096));
    QByteArray pcm(std::min(guess * frameBytes, maxBytes), Qt::Uninitialized);
    std::int64_t filled = 0;
    for (;;) {
        std::uint32_t bytes = 0;
        if (!receiveAnswer(&bytes, sizeof bytes, report))
            return refused(SoundFailure::NotPlayable, report);
        if (bytes == 0)
            break;
        if (bytes == kTooLong)
            outOfStep.dismiss();
        if (bytes > kChunkBytes || bytes % frameBytes != 0 || filled + bytes > maxBytes)
            return refused(SoundFailure::NotPlayable, report);
        while (filled + bytes > pcm.size())
            pcm.resize(std::min<std::int64_t>(pcm.size() * 2, maxBytes));
        if (!receiveAnswer(pcm.data() + filled, bytes, report))
            return refused(SoundFailure::NotPlayable, report);
        filled += bytes;
    }
    outOfStep.dismiss();
    pcm.truncate(filled);
    if (pcm.isEmpty()) // a header without samples: nothing to play
        return refused(SoundFailure::NotPlayable, report);
    report.ending = SoundFileReport::Ending::Decoded;
    DecodedSound sound;
    sound.pcm = std::move(pcm);
    sound.channels = answer.channels;
    sound.rate = answer.rate;
    sound.report = report;
    return sound;
}
