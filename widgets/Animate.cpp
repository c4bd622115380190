// The clock animation: opening and decoding a clip (uncompressed clips by
// RawAviReader, any other through FFmpeg loaded on demand), and playing frame
// ranges on a schedule taken from a monotonic clock. Each play remembers when it
// started; frame k of a pass is due at start + (k - first) * d and the play
// ends at start + passes * (last - first + 1) * d, so lateness of one timer
// never carries into the next frame. One single-shot timer waits for the next
// deadline, and no timer runs while nothing plays.
#include "Animate.h"

#include "Application.h"
#include "FfmpegLibrary.h"
#include "PreciseTimer.h"
#include "RawAviReader.h"
#include "ToolkitError.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>

namespace {

const char* const kCannotOpen = "AVI kann nicht geöffnet werden";

// Bounds that keep a hostile file from exhausting memory; the clock clip is
// a few hundred kilobytes.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr std::uint32_t kMaxSide = 4096;
constexpr std::uint32_t kMaxFrames = 100000;
constexpr std::uint64_t kMaxDecodedBytes = 512ull * 1024 * 1024;

// Offsets of the AVI main header ('avih') in a RIFF file whose first list is
// 'hdrl' with 'avih' as its first chunk.
constexpr std::size_t kAvihData = 32;
constexpr std::size_t kAvihSize = 56;

[[noreturn]] void cannotOpen()
{
    throw EToolkitError(QString::fromUtf8(kCannotOpen));
}

std::uint32_t le32(const QByteArray& bytes, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

bool tagAt(const QByteArray& bytes, std::size_t at, const char* tag)
{
    return std::memcmp(bytes.constData() + at, tag, 4) == 0;
}

struct MainHeader {
    std::uint32_t usPerFrame = 0;
    std::uint32_t totalFrames = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Checks the RIFF structure before any field is read, so a truncated or
// foreign file never makes us read past its end.
MainHeader readMainHeader(const QByteArray& bytes)
{
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size < kAvihData + kAvihSize)
        cannotOpen();
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "AVI ") || !tagAt(bytes, 12, "LIST") || !tagAt(bytes, 20, "hdrl")
        || !tagAt(bytes, 24, "avih"))
        cannotOpen();
    // The RIFF size tells how long the file must be: a shorter one was cut off.
    if (size < std::uint64_t(le32(bytes, 4)) + 8)
        cannotOpen();
    if (le32(bytes, 16) < 4 + 8 + kAvihSize || le32(bytes, 28) < kAvihSize)
        cannotOpen();
    MainHeader h;
    h.usPerFrame = le32(bytes, 32);
    h.totalFrames = le32(bytes, 48);
    h.width = le32(bytes, 64);
    h.height = le32(bytes, 68);
    if (h.usPerFrame == 0 || h.totalFrames == 0 || h.totalFrames > kMaxFrames || h.width == 0 || h.height == 0
        || h.width > kMaxSide || h.height > kMaxSide)
        cannotOpen();
    if (std::uint64_t(h.width) * h.height * 4 * h.totalFrames > kMaxDecodedBytes)
        cannotOpen();
    return h;
}

// FFmpeg reads the file from memory through these.
struct MemoryInput {
    const QByteArray* bytes;
    std::int64_t pos = 0;
};

int readMemory(void* opaque, std::uint8_t* buffer, int wanted)
{
    auto* in = static_cast<MemoryInput*>(opaque);
    const std::int64_t left = in->bytes->size() - in->pos;
    if (left <= 0)
        return AVERROR_EOF;
    const int n = static_cast<int>(std::min<std::int64_t>(left, wanted));
    std::memcpy(buffer, in->bytes->constData() + in->pos, static_cast<std::size_t>(n));
    in->pos += n;
    return n;
}

std::int64_t seekMemory(void* opaque, std::int64_t offset, int whence)
{
    auto* in = static_cast<MemoryInput*>(opaque);
    const std::int64_t size = in->bytes->size();
    if (whence == AVSEEK_SIZE)
        return size;
    std::int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = in->pos; break;
    case SEEK_END: base = size; break;
    default: return AVERROR(EINVAL);
    }
    if (offset > size || offset < -size || base + offset < 0 || base + offset > size)
        return AVERROR(EINVAL);
    in->pos = base + offset;
    return in->pos;
}

// Owners of FFmpeg objects, freeing them through the loaded library.
struct IoDeleter {
    const FfmpegLibrary* av;
    void operator()(AVIOContext* io) const
    {
        av->av_freep(&io->buffer);
        av->avio_context_free(&io);
    }
};
struct FormatDeleter {
    const FfmpegLibrary* av;
    void operator()(AVFormatContext* f) const { av->avformat_close_input(&f); }
};
struct CodecDeleter {
    const FfmpegLibrary* av;
    void operator()(AVCodecContext* c) const { av->avcodec_free_context(&c); }
};
struct PacketDeleter {
    const FfmpegLibrary* av;
    void operator()(AVPacket* p) const { av->av_packet_free(&p); }
};
struct FrameDeleter {
    const FfmpegLibrary* av;
    void operator()(AVFrame* f) const { av->av_frame_free(&f); }
};
struct ScaleDeleter {
    const FfmpegLibrary* av;
    void operator()(SwsContext* s) const { av->sws_freeContext(s); }
};

// Decodes every frame of a compressed clip with FFmpeg into ARGB images,
// placed by their time stamps; frames the clip leaves out repeat the one
// before. Throws when FFmpeg cannot be loaded, the clip cannot be demuxed or
// a frame cannot be decoded.
std::vector<QImage> decodeWithFfmpeg(const QByteArray& bytes, std::uint32_t totalFrames)
{
    const FfmpegLibrary* const av = FfmpegLibrary::instance();
    if (!av)
        cannotOpen();
    av->av_log_set_level(AV_LOG_QUIET); // failures are reported by our own message
    MemoryInput input { &bytes };
    constexpr int kBuffer = 4096;
    auto* buffer = static_cast<std::uint8_t*>(av->av_malloc(kBuffer));
    if (!buffer)
        cannotOpen();
    std::unique_ptr<AVIOContext, IoDeleter> io(
        av->avio_alloc_context(buffer, kBuffer, 0, &input, readMemory, nullptr, seekMemory), IoDeleter { av });
    if (!io) {
        av->av_free(buffer);
        cannotOpen();
    }
    AVFormatContext* rawFormat = av->avformat_alloc_context();
    if (!rawFormat)
        cannotOpen();
    rawFormat->pb = io.get();
    rawFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (av->avformat_open_input(&rawFormat, nullptr, av->av_find_input_format("avi"), nullptr) < 0)
        cannotOpen(); // FFmpeg has freed the context
    std::unique_ptr<AVFormatContext, FormatDeleter> format(rawFormat, FormatDeleter { av });
    if (av->avformat_find_stream_info(format.get(), nullptr) < 0)
        cannotOpen();
    const int stream = av->av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0)
        cannotOpen();
    const AVCodecParameters* parameters = format->streams[stream]->codecpar;
    const AVCodec* codec = av->avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        cannotOpen();
    std::unique_ptr<AVCodecContext, CodecDeleter> decoder(av->avcodec_alloc_context3(codec), CodecDeleter { av });
    if (!decoder || av->avcodec_parameters_to_context(decoder.get(), parameters) < 0)
        cannotOpen();
    decoder->thread_count = 1;
    if (av->avcodec_open2(decoder.get(), codec, nullptr) < 0)
        cannotOpen();

    std::unique_ptr<AVPacket, PacketDeleter> packet(av->av_packet_alloc(), PacketDeleter { av });
    std::unique_ptr<AVFrame, FrameDeleter> frame(av->av_frame_alloc(), FrameDeleter { av });
    if (!packet || !frame)
        cannotOpen();
    std::unique_ptr<SwsContext, ScaleDeleter> scaler(nullptr, ScaleDeleter { av });
    std::vector<QImage> frames(totalFrames);
    std::int64_t sequence = 0;

    auto receive = [&] {
        for (;;) {
            const int r = av->avcodec_receive_frame(decoder.get(), frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return;
            if (r < 0)
                cannotOpen();
            const int w = frame->width;
            const int h = frame->height;
            if (w <= 0 || h <= 0 || w > int(kMaxSide) || h > int(kMaxSide))
                cannotOpen();
            if (std::uint64_t(w) * std::uint64_t(h) * 4 * totalFrames
                > kMaxDecodedBytes) // frames may differ from 'avih'
                cannotOpen();
            scaler.reset(av->sws_getCachedContext(scaler.release(), w, h, static_cast<AVPixelFormat>(frame->format), w,
                h, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr));
            if (!scaler)
                cannotOpen();
            QImage image(w, h, QImage::Format_ARGB32); // B, G, R, A in memory: BGRA
            if (image.isNull())
                cannotOpen();
            std::uint8_t* planes[4] = { image.bits(), nullptr, nullptr, nullptr };
            int strides[4] = { static_cast<int>(image.bytesPerLine()), 0, 0, 0 };
            if (av->sws_scale(scaler.get(), frame->data, frame->linesize, 0, h, planes, strides) != h)
                cannotOpen();
            std::int64_t index = frame->best_effort_timestamp;
            if (index == AV_NOPTS_VALUE)
                index = sequence;
            sequence = index + 1;
            if (index >= 0 && index < std::int64_t(totalFrames))
                frames[static_cast<std::size_t>(index)] = std::move(image);
            av->av_frame_unref(frame.get());
        }
    };

    for (;;) {
        const int r = av->av_read_frame(format.get(), packet.get());
        if (r == AVERROR_EOF)
            break;
        if (r < 0)
            cannotOpen();
        if (packet->stream_index == stream) {
            const int sent = av->avcodec_send_packet(decoder.get(), packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN))
                cannotOpen();
            receive();
        }
        av->av_packet_unref(packet.get());
    }
    av->avcodec_send_packet(decoder.get(), nullptr);
    receive();

    if (frames.front().isNull())
        cannotOpen();
    for (std::size_t i = 1; i < frames.size(); ++i)
        if (frames[i].isNull())
            frames[i] = frames[i - 1];
    return frames;
}

// Uncompressed clips, the game's own among them, are read directly; only
// compressed ones need FFmpeg, which is then loaded.
std::vector<QImage> decodeFrames(const QByteArray& bytes, std::uint32_t totalFrames)
{
    RawAviReader raw(bytes, totalFrames, { kMaxSide, kMaxDecodedBytes });
    switch (raw.read()) {
    case RawAviReader::Outcome::Decoded: return raw.takeFrames();
    case RawAviReader::Outcome::NotRaw: return decodeWithFfmpeg(bytes, totalFrames);
    case RawAviReader::Outcome::Corrupt: break;
    }
    cannotOpen();
}

// Pixels of the colour of the first frame's top-left pixel are the clip's
// background and are left transparent, so the clock shows on whatever lies
// below the widget.
void keyOutBackground(std::vector<QImage>& frames)
{
    const QRgb key = frames.front().pixel(0, 0);
    for (QImage& image : frames) {
        image.detach();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
}

std::int64_t steadyMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TAnimate::TAnimate(QWidget* parent)
    : QWidget(parent)
    , m_now(steadyMicroseconds)
    , m_timer(new PreciseTimer(this))
{
    resize(100, 80);
    // An error from the stop handler must not unwind through Qt's event
    // dispatch; the application shows it once this wake-up is handled.
    m_timer->onTimeout = [this] { TApplication::invoke([this] { catchUp(); }); };
}

TAnimate::~TAnimate() = default;

void TAnimate::setFileName(const QString& name)
{
    if (name.compare(m_fileName, Qt::CaseInsensitive) == 0 && isOpen())
        return;
    open(name);
}

void TAnimate::open(const QString& name)
{
    if (name.isEmpty())
        cannotOpen();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        cannotOpen();
    const QByteArray bytes = file.readAll();
    const MainHeader header = readMainHeader(bytes);
    std::vector<QImage> frames = decodeFrames(bytes, header.totalFrames);
    keyOutBackground(frames);

    // Only now, with the whole clip decoded, does the widget change.
    m_timer->stop();
    m_playing = false;
    m_fileName = name;
    m_frames = std::move(frames);
    m_usPerFrame = header.usPerFrame;
    m_current = 0;
    resize(static_cast<int>(header.width), static_cast<int>(header.height));
    update();
}

QImage TAnimate::frame(int number) const
{
    if (number < 1 || number > frameCount())
        return {};
    return m_frames[static_cast<std::size_t>(number - 1)];
}

void TAnimate::setTimeSource(TimeSource source)
{
    m_now = source ? std::move(source) : TimeSource(steadyMicroseconds);
}

void TAnimate::Play(int first, int last, int count)
{
    if (!isOpen())
        open(m_fileName);
    if (first < 1 || last > frameCount() || first > last || count < 0)
        return; // refused: the running play, if any, goes on
    const bool cutShort = m_playing;
    m_playing = true;
    m_first = first - 1;
    m_last = last - 1;
    m_count = count;
    m_start = m_now();
    showFrame(m_first);
    schedule(m_start);
    // The play cut short reports its end now, before the new play can end.
    if (cutShort && onStop)
        onStop();
}

void TAnimate::Stop()
{
    m_playing = false;
    m_timer->stop();
    if (isOpen())
        showFrame(0);
    if (onStop)
        onStop();
}

void TAnimate::catchUp()
{
    if (!m_playing)
        return;
    const std::int64_t now = m_now();
    const std::int64_t passLength = m_last - m_first + 1;
    const std::int64_t shown = std::max<std::int64_t>(0, now - m_start) / m_usPerFrame;
    if (m_count > 0 && shown >= passLength * m_count) {
        m_playing = false;
        m_timer->stop();
        showFrame(m_last);
        if (onStop)
            onStop();
        return;
    }
    showFrame(m_first + static_cast<int>(shown % passLength));
    schedule(now);
}

void TAnimate::schedule(std::int64_t now)
{
    // The next frame is due when the next whole frame duration since the
    // start has passed; wake exactly then.
    const std::int64_t shown = std::max<std::int64_t>(0, now - m_start) / m_usPerFrame;
    const std::int64_t deadline = m_start + (shown + 1) * m_usPerFrame;
    m_timer->start(deadline - now);
}

void TAnimate::showFrame(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
}

void TAnimate::paintEvent(QPaintEvent*)
{
    if (!isOpen())
        return;
    const QImage& image = m_frames[static_cast<std::size_t>(m_current)];
    QPainter painter(this);
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}
