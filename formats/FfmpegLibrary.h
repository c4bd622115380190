// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// FfmpegLibrary: the FFmpeg functions the clip decoder uses, loaded at run
// time. Linking FFmpeg would load it and its hundred or so dependencies at
// every program start, although the game's own clip is uncompressed and
// needs no codec; so the four libraries are opened with dlopen only when a
// compressed clip is first opened, and each function is looked up once into
// this table. The sonames are those of the headers compiled against, so the
// types of the table match the loaded code.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

class FfmpegLibrary {
public:
    struct Sonames {
        std::string avutil;
        std::string swscale;
        std::string avcodec;
        std::string avformat;
    };
    // "libavutil.so.<major>" and so on, for the majors of our headers.
    static Sonames defaultSonames();

    // The table for defaultSonames(), loaded on first use and kept for the
    // life of the process; nullptr when a library or function is missing
    // (then every later call answers nullptr too).
    static const FfmpegLibrary* instance();

    // Opens the libraries named and resolves every function; nullptr if any
    // of them is missing. For tests; the program uses instance().
    static std::unique_ptr<FfmpegLibrary> load(const Sonames& names);

    ~FfmpegLibrary();
    FfmpegLibrary(const FfmpegLibrary&) = delete;
    FfmpegLibrary& operator=(const FfmpegLibrary&) = delete;

    // libavutil
    decltype(&::av_log_set_level) av_log_set_level = nullptr;
    decltype(&::av_malloc) av_malloc = nullptr;
    decltype(&::av_free) av_free = nullptr;
    decltype(&::av_freep) av_freep = nullptr;
    decltype(&::av_frame_alloc) av_frame_alloc = nullptr;
    decltype(&::av_frame_free) av_frame_free = nullptr;
    decltype(&::av_frame_unref) av_frame_unref = nullptr;
    // libswscale
    decltype(&::sws_getCachedContext) sws_getCachedContext = nullptr;
    decltype(&::sws_scale) sws_scale = nullptr;
    decltype(&::sws_freeContext) sws_freeContext = nullptr;
    // libavcodec
    decltype(&::avcodec_find_decoder) avcodec_find_decoder = nullptr;
    decltype(&::avcodec_alloc_context3) avcodec_alloc_context3 = nullptr;
    decltype(&::avcodec_parameters_to_context) avcodec_parameters_to_context = nullptr;
    decltype(&::avcodec_open2) avcodec_open2 = nullptr;
    decltype(&::avcodec_free_context) avcodec_free_context = nullptr;
    decltype(&::avcodec_send_packet) avcodec_send_packet = nullptr;
    decltype(&::avcodec_receive_frame) avcodec_receive_frame = nullptr;
    decltype(&::av_packet_alloc) av_packet_alloc = nullptr;
    decltype(&::av_packet_free) av_packet_free = nullptr;
    decltype(&::av_packet_unref) av_packet_unref = nullptr;
    // libavformat
    decltype(&::avio_alloc_context) avio_alloc_context = nullptr;
    decltype(&::avio_context_free) avio_context_free = nullptr;
    decltype(&::avformat_alloc_context) avformat_alloc_context = nullptr;
    decltype(&::avformat_open_input) avformat_open_input = nullptr;
    decltype(&::avformat_find_stream_info) avformat_find_stream_info = nullptr;
    decltype(&::avformat_close_input) avformat_close_input = nullptr;
    decltype(&::av_find_input_format) av_find_input_format = nullptr;
    decltype(&::av_find_best_stream) av_find_best_stream = nullptr;
    decltype(&::av_read_frame) av_read_frame = nullptr;

private:
    FfmpegLibrary() = default;
    // dlopen handles, in the order opened; closed in reverse.
    void* m_handles[4] = { nullptr, nullptr, nullptr, nullptr };
};
