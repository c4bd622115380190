// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Decoding through FFmpeg: a custom I/O context over the bytes in memory,
// the AVI demuxer, the stream's decoder on one thread, and swscale to BGRA.
// Every FFmpeg object is owned by a unique_ptr that frees it through the
// loaded library, so each early return cleans up.
#include "FfmpegAviReader.h"

#include "FfmpegLibrary.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

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
// Most of FFmpeg's functions that free an object take its address, and
// clear it: one owner serves them all.
template <auto Free> struct Freer {
    const FfmpegLibrary* av;
    template <class T> void operator()(T* object) const { (av->*Free)(&object); }
};
using FormatDeleter = Freer<&FfmpegLibrary::avformat_close_input>;
using CodecDeleter = Freer<&FfmpegLibrary::avcodec_free_context>;
using PacketDeleter = Freer<&FfmpegLibrary::av_packet_free>;
using FrameDeleter = Freer<&FfmpegLibrary::av_frame_free>;
struct ScaleDeleter {
    const FfmpegLibrary* av;
    void operator()(SwsContext* s) const { av->sws_freeContext(s); }
};

} // namespace

FfmpegAviReader::FfmpegAviReader(const QByteArray& bytes, std::uint32_t totalFrames, Limits limits)
    : m_bytes(bytes)
    , m_totalFrames(totalFrames)
    , m_limits(limits)
{
}

FfmpegAviReader::Outcome FfmpegAviReader::read()
{
    constexpr Outcome undecodable = Outcome::Undecodable;
    const FfmpegLibrary* const av = FfmpegLibrary::instance();
    if (!av)
        return Outcome::NoLibrary;
    av->av_log_set_level(AV_LOG_QUIET); // failures are reported by our caller
    MemoryInput input { &m_bytes };
    constexpr int kBuffer = 4096;
    auto* buffer = static_cast<std::uint8_t*>(av->av_malloc(kBuffer));
    if (!buffer)
        return undecodable;
    std::unique_ptr<AVIOContext, IoDeleter> io(
        av->avio_alloc_context(buffer, kBuffer, 0, &input, readMemory, nullptr, seekMemory), IoDeleter { av });
    if (!io) {
        av->av_free(buffer);
        return undecodable;
    }
    AVFormatContext* rawFormat = av->avformat_alloc_context();
    if (!rawFormat)
        return undecodable;
    rawFormat->pb = io.get();
    rawFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (av->avformat_open_input(&rawFormat, nullptr, av->av_find_input_format("avi"), nullptr) < 0)
        return undecodable; // FFmpeg has freed the context
    std::unique_ptr<AVFormatContext, FormatDeleter> format(rawFormat, FormatDeleter { av });
    if (av->avformat_find_stream_info(format.get(), nullptr) < 0)
        return undecodable;
    const int stream = av->av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0)
        return undecodable;
    const AVCodecParameters* parameters = format->streams[stream]->codecpar;
    const AVCodec* codec = av->avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        return undecodable;
    std::unique_ptr<AVCodecContext, CodecDeleter> decoder(av->avcodec_alloc_context3(codec), CodecDeleter { av });
    if (!decoder || av->avcodec_parameters_to_context(decoder.get(), parameters) < 0)
        return undecodable;
    decoder->thread_count = 1;
    if (av->avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return undecodable;

    std::unique_ptr<AVPacket, PacketDeleter> packet(av->av_packet_alloc(), PacketDeleter { av });
    std::unique_ptr<AVFrame, FrameDeleter> frame(av->av_frame_alloc(), FrameDeleter { av });
    if (!packet || !frame)
        return undecodable;
    std::unique_ptr<SwsContext, ScaleDeleter> scaler(nullptr, ScaleDeleter { av });
    std::vector<QImage> frames(m_totalFrames);
    std::int64_t sequence = 0;
    const int maxSide = static_cast<int>(m_limits.maxSide);

    // Takes every frame the decoder has ready; false on a failure.
    auto receive = [&] {
        for (;;) {
            const int r = av->avcodec_receive_frame(decoder.get(), frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return false;
            const int w = frame->width;
            const int h = frame->height;
            if (w <= 0 || h <= 0 || w > maxSide || h > maxSide)
                return false;
            if (std::uint64_t(w) * std::uint64_t(h) * 4 * m_totalFrames > m_limits.maxDecodedBytes)
                return false;
            scaler.reset(av->sws_getCachedContext(scaler.release(), w, h, static_cast<AVPixelFormat>(frame->format), w,
                h, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr));
            if (!scaler)
                return false;
            QImage image(w, h, QImage::Format_ARGB32); // B, G, R, A in memory: BGRA
            if (image.isNull())
                return false;
            std::uint8_t* planes[4] = { image.bits(), nullptr, nullptr, nullptr };
            int strides[4] = { static_cast<int>(image.bytesPerLine()), 0, 0, 0 };
            if (av->sws_scale(scaler.get(), frame->data, frame->linesize, 0, h, planes, strides) != h)
                return false;
            std::int64_t index = frame->best_effort_timestamp;
            if (index == AV_NOPTS_VALUE)
                index = sequence;
            sequence = index + 1;
            if (index >= 0 && index < std::int64_t(m_totalFrames))
                frames[static_cast<std::size_t>(index)] = std::move(image);
            av->av_frame_unref(frame.get());
        }
    };

    for (;;) {
        const int r = av->av_read_frame(format.get(), packet.get());
        if (r == AVERROR_EOF)
            break;
        if (r < 0)
            return undecodable;
        if (packet->stream_index == stream) {
            const int sent = av->avcodec_send_packet(decoder.get(), packet.get());
            if ((sent < 0 && sent != AVERROR(EAGAIN)) || !receive()) {
                av->av_packet_unref(packet.get());
                return undecodable;
            }
        }
        av->av_packet_unref(packet.get());
    }
    av->avcodec_send_packet(decoder.get(), nullptr);
    if (!receive())
        return undecodable;

    if (frames.empty() || frames.front().isNull())
        return undecodable;
    m_frames = std::move(frames);
    return Outcome::Decoded;
}
