// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Run-time loading of FFmpeg: dlopen of the four libraries and dlsym of each
// function of the table. The libraries are opened with RTLD_LOCAL, so that
// nothing else in the process binds to them by accident, and each function
// is taken from the library that defines it.
#include "FfmpegLibrary.h"

#include <dlfcn.h>

namespace {

// Looks `name` up in `handle` and stores it in `slot`, converting the data
// pointer dlsym returns to the slot's function pointer type (POSIX guarantees
// the two have the same representation). Returns false when it is missing.
template <typename Function> bool resolve(void* handle, const char* name, Function& slot)
{
    void* symbol = dlsym(handle, name);
    if (!symbol)
        return false;
    slot = reinterpret_cast<Function>(symbol);
    return true;
}

} // namespace

FfmpegLibrary::Sonames FfmpegLibrary::defaultSonames()
{
    return { "libavutil.so." + std::to_string(LIBAVUTIL_VERSION_MAJOR),
        "libswscale.so." + std::to_string(LIBSWSCALE_VERSION_MAJOR),
        "libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR),
        "libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR) };
}

const FfmpegLibrary* FfmpegLibrary::instance()
{
    // Loaded once; a failure is remembered rather than retried on every clip.
    // The table stays to the end of the process: closing FFmpeg while exit
    // handlers may still run would gain nothing.
    static const FfmpegLibrary* const library = load(defaultSonames()).release();
    return library;
}

std::unique_ptr<FfmpegLibrary> FfmpegLibrary::load(const Sonames& names)
{
    std::unique_ptr<FfmpegLibrary> lib(new FfmpegLibrary);
    const std::string* order[4] = { &names.avutil, &names.swscale, &names.avcodec, &names.avformat };
    for (int i = 0; i < 4; ++i) {
        lib->m_handles[i] = dlopen(order[i]->c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!lib->m_handles[i])
            return nullptr;
    }
    void* const avutil = lib->m_handles[0];
    void* const swscale = lib->m_handles[1];
    void* const avcodec = lib->m_handles[2];
    void* const avformat = lib->m_handles[3];
    FfmpegLibrary& f = *lib;
    const bool complete = resolve(avutil, "av_log_set_level", f.av_log_set_level)
        && resolve(avutil, "av_malloc", f.av_malloc) && resolve(avutil, "av_free", f.av_free)
        && resolve(avutil, "av_freep", f.av_freep) && resolve(avutil, "av_frame_alloc", f.av_frame_alloc)
        && resolve(avutil, "av_frame_free", f.av_frame_free) && resolve(avutil, "av_frame_unref", f.av_frame_unref)
        && resolve(swscale, "sws_getCachedContext", f.sws_getCachedContext)
        && resolve(swscale, "sws_scale", f.sws_scale) && resolve(swscale, "sws_freeContext", f.sws_freeContext)
        && resolve(avcodec, "avcodec_find_decoder", f.avcodec_find_decoder)
        && resolve(avcodec, "avcodec_alloc_context3", f.avcodec_alloc_context3)
        && resolve(avcodec, "avcodec_parameters_to_context", f.avcodec_parameters_to_context)
        && resolve(avcodec, "avcodec_open2", f.avcodec_open2)
        && resolve(avcodec, "avcodec_free_context", f.avcodec_free_context)
        && resolve(avcodec, "avcodec_send_packet", f.avcodec_send_packet)
        && resolve(avcodec, "avcodec_receive_frame", f.avcodec_receive_frame)
        && resolve(avcodec, "av_packet_alloc", f.av_packet_alloc)
        && resolve(avcodec, "av_packet_free", f.av_packet_free)
        && resolve(avcodec, "av_packet_unref", f.av_packet_unref)
        && resolve(avformat, "avio_alloc_context", f.avio_alloc_context)
        && resolve(avformat, "avio_context_free", f.avio_context_free)
        && resolve(avformat, "avformat_alloc_context", f.avformat_alloc_context)
        && resolve(avformat, "avformat_open_input", f.avformat_open_input)
        && resolve(avformat, "avformat_find_stream_info", f.avformat_find_stream_info)
        && resolve(avformat, "avformat_close_input", f.avformat_close_input)
        && resolve(avformat, "av_find_input_format", f.av_find_input_format)
        && resolve(avformat, "av_find_best_stream", f.av_find_best_stream)
        && resolve(avformat, "av_read_frame", f.av_read_frame);
    if (!complete)
        return nullptr;
    return lib;
}

FfmpegLibrary::~FfmpegLibrary()
{
    for (int i = 3; i >= 0; --i)
        if (m_handles[i])
            dlclose(m_handles[i]);
}
