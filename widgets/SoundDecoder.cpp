// The sound file reader of the media player. libsndfile decodes the whole
// file at once, so playing never waits for the disk; it does so in a decoder
// process forked at the first decode and kept for the next ones. libsndfile
// detects dozens of formats, and some of its parsers spin on a spoiled file
// (a RIFF LIST chunk of 0xFF bytes keeps 1.2.0 busy for minutes) or crash,
// so the game never runs it itself: it sends the decoder a path over a
// socket and reads back the format and the samples, waiting at most
// kStallMs for each next piece. A decoder that stalls or breaks off is
// killed and reaped, and the next decode forks a fresh one. The decoder runs
// nothing but libsndfile and plain reads and writes, keeps none of the
// game's file descriptors, and is killed when the game ends.
#include "SoundDecoder.h"

#include "MediaPlayer.h"
#include "ToolkitError.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sndfile.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace {

// Bounds for what a sound cue may be; a corrupt header may claim anything.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr qint64 kMaxPcmBytes = 256ll * 1024 * 1024;

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

constexpr std::uint32_t kChunkBytes = 64 * 1024;
constexpr std::uint32_t kTooLong = 0xFFFFFFFF;
constexpr qint64 kMaxPathBytes = 64 * 1024;
constexpr int kDecoderSocket = 3; // in the decoder; 0, 1 and 2 are /dev/null

// The decoder's answer to a path. When the file opened within the bounds,
// chunks of samples follow: a byte count and the bytes, then a count of 0,
// or kTooLong once the samples would pass kMaxPcmBytes.
struct Answer {
    enum Result : std::int32_t { Opened, CannotOpen, OutOfBounds };
    Result result;
    std::int32_t sndfileError;
    std::int32_t systemError;
    std::int32_t format;
    std::int32_t channels;
    std::int32_t rate;
    std::int64_t frames;
};

[[noreturn]] void fail(const QString& text)
{
    throw EMCIDeviceError(text);
}

bool inBounds(int channels, int rate)
{
    return channels >= 1 && channels <= kMaxChannels && rate >= kMinRate && rate <= kMaxRate;
}

bool sendAll(int socket, const void* data, std::size_t size)
{
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t sent = ::send(socket, from, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        from += sent;
        size -= std::size_t(sent);
    }
    return true;
}

// --- The decoder's side: blocking reads, since it has nothing else to do.

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

// Answers one path; false when the game has gone.
bool answerPath(int socket, const char* path, std::vector<short>& samples)
{
    Answer answer {};
    SF_INFO info {};
    errno = 0;
    SNDFILE* file = sf_open(path, SFM_READ, &info);
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
        qint64 sent = 0;
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
    sf_close(file);
    return gameThere;
}

// The decoder process, right after the fork: it must not touch anything of
// the game's but memory, so it never returns and never runs exit handlers.
[[noreturn]] void runDecoder(int socket, int gameEnd, pid_t game)
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
    std::vector<char> path;
    const char ready = 1;
    if (!sendAll(kDecoderSocket, &ready, 1))
        ::_exit(0);
    for (;;) {
        std::uint32_t length = 0;
        if (!readAll(kDecoderSocket, &length, sizeof length) || length == 0 || length > kMaxPathBytes)
            ::_exit(0);
        path.assign(length + 1, '\0');
        if (!readAll(kDecoderSocket, path.data(), length) || !answerPath(kDecoderSocket, path.data(), samples))
            ::_exit(0);
    }
}

// --- The game's side.

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

// The decoder process as the game sees it: made at the first decode, kept
// while it answers, replaced when it does not.
class SoundDecoder {
public:
    SoundDecoder() = default;
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;
    ~SoundDecoder()
    {
        stop();
        reapLeftovers();
    }

    DecodedSound decode(const QFileInfo& file, SoundFileReport& report);

private:
    bool start();
    void stop() noexcept;
    void reapLeftovers() noexcept;
    // False when the idle decoder has ended or is out of step: anything to
    // read from it now would be its end or a stray answer.
    bool idle() const;
    void receiveOrFail(void* data, std::size_t size, SoundFileReport& report);

    std::mutex m_mutex;
    pid_t m_pid = 0;
    int m_socket = -1;
    int m_pidfd = -1;
    int m_files = 0;
    std::vector<pid_t> m_unreaped;
};

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
            runDecoder(ends[1], ends[0], game);
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
        if (receive(m_socket, &ready, 1, kStartMs) == Received::All)
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

void SoundDecoder::receiveOrFail(void* data, std::size_t size, SoundFileReport& report)
{
    switch (receive(m_socket, data, size, kStallMs)) {
    case Received::All: return;
    case Received::Stalled: report.ending = SoundFileReport::Ending::Stalled; break;
    case Received::Ended: report.ending = SoundFileReport::Ending::DecoderDied; break;
    }
    fail(TMediaPlayer::notPlayableText());
}

DecodedSound SoundDecoder::decode(const QFileInfo& file, SoundFileReport& report)
{
    const std::lock_guard lock(m_mutex);
    reapLeftovers();
    if (m_pid > 0 && (m_files >= kFilesPerDecoder || !idle()))
        stop();
    const QByteArray path = QFile::encodeName(file.absoluteFilePath());
    const auto length = std::uint32_t(std::min<qint64>(path.size(), kMaxPathBytes + 1));
    if (length > kMaxPathBytes || (m_pid <= 0 && !start()))
        fail(TMediaPlayer::unknownErrorText());
    ++m_files;
    // Until the answer has been read to its end, any way out leaves the
    // decoder out of step with the game, or running away: it goes.
    auto outOfStep = qScopeGuard([this] { stop(); });
    if (!sendAll(m_socket, &length, sizeof length) || !sendAll(m_socket, path.constData(), length))
        fail(TMediaPlayer::unknownErrorText());

    Answer answer {};
    receiveOrFail(&answer, sizeof answer, report);
    report.sndfileError = answer.sndfileError;
    report.format = answer.format;
    report.channels = answer.channels;
    report.frames = answer.frames;
    if (answer.result == Answer::CannotOpen) {
        outOfStep.dismiss();
        // libsndfile names a format fault with one of many codes; only a
        // system error says anything about the file itself.
        if (answer.sndfileError != SF_ERR_SYSTEM)
            fail(TMediaPlayer::notPlayableText());
        fail(answer.systemError == ENOENT ? TMediaPlayer::fileNotFoundText() : TMediaPlayer::unknownErrorText());
    }
    if (answer.result == Answer::OutOfBounds)
        outOfStep.dismiss();
    if (answer.result != Answer::Opened || !inBounds(answer.channels, answer.rate))
        fail(TMediaPlayer::notPlayableText());

    // The samples go straight into the buffer, sized from the header's count
    // but never beyond what the file could hold, nor beyond the bound.
    const qint64 frameBytes = answer.channels * qint64(sizeof(short));
    const qint64 maxBytes = kMaxPcmBytes / frameBytes * frameBytes;
    const qint64 fileFrames = std::max<qint64>(file.size(), 0) / answer.channels; // a byte a sample at least
    const qint64 guess = std::clamp<qint64>(answer.frames, 4096, std::max<qint64>(fileFrames, 4096));
    QByteArray pcm(std::min(guess * frameBytes, maxBytes), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        std::uint32_t bytes = 0;
        receiveOrFail(&bytes, sizeof bytes, report);
        if (bytes == 0)
            break;
        if (bytes == kTooLong)
            outOfStep.dismiss();
        if (bytes > kChunkBytes || bytes % frameBytes != 0 || filled + bytes > maxBytes)
            fail(TMediaPlayer::notPlayableText());
        while (filled + bytes > pcm.size())
            pcm.resize(std::min(pcm.size() * 2, maxBytes));
        receiveOrFail(pcm.data() + filled, bytes, report);
        filled += bytes;
    }
    outOfStep.dismiss();
    pcm.truncate(filled);
    if (pcm.isEmpty()) // a header without samples: nothing to play
        fail(TMediaPlayer::notPlayableText());
    report.ending = SoundFileReport::Ending::Decoded;
    return { std::move(pcm), answer.channels, answer.rate };
}

} // namespace

DecodedSound decodeSoundFile(const QString& fileName, SoundFileReport* report)
{
    SoundFileReport unread;
    SoundFileReport& told = report ? *report : unread;
    told = {};
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        fail(TMediaPlayer::fileNotFoundText());
    if (info.isDir())
        fail(TMediaPlayer::notPlayableText());
    // One decoder serves every media player; it is ended at exit.
    static SoundDecoder decoder;
    return decoder.decode(info, told);
}
