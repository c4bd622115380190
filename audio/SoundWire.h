// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the game and its sound decoder process say to each other over their
// socket, and the bounds both sides hold a sound to. The decoder first sends
// one byte, kReady. Then, for each request the game sends:
//   game:    a Request, then `length` bytes: a file's path, or a file's bytes
//   decoder: an Answer; when the file opened within the bounds, chunks of
//            samples follow: a byte count (at most kChunkBytes, whole frames)
//            and that many bytes, ended by a count of 0, or by kTooLong once
//            the samples would pass kMaxPcmBytes.
// Both ends are on the same machine and the same build, so the structs go as
// they lie in memory.
#pragma once

#include <sys/socket.h>
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace SoundWire {

// Bounds for what a sound cue may be; a corrupt header may claim anything.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr std::int64_t kMaxPcmBytes = 256ll * 1024 * 1024;

inline bool inBounds(int channels, int rate)
{
    return channels >= 1 && channels <= kMaxChannels && rate >= kMinRate && rate <= kMaxRate;
}

constexpr char kReady = 1;

struct Request {
    enum Kind : std::uint32_t { Path, Bytes };
    Kind kind;
    std::uint32_t length;
};
constexpr std::uint32_t kMaxPathBytes = 64 * 1024;
// A file sent as bytes is held whole by the decoder while it decodes.
constexpr std::uint32_t kMaxFileBytes = 16 * 1024 * 1024;

struct Answer {
    enum Result : std::int32_t { Opened, CannotOpen, OutOfBounds };
    Result result;
    std::int32_t sndfileError; // libsndfile's code when the file did not open
    std::int32_t systemError; // errno then: only SF_ERR_SYSTEM says anything about the file
    std::int32_t format; // libsndfile's format code of an opened file
    std::int32_t channels;
    std::int32_t rate;
    std::int64_t frames; // as the file's header claims
};

constexpr std::uint32_t kChunkBytes = 64 * 1024;
constexpr std::uint32_t kTooLong = 0xFFFFFFFF;

// Sends all of it; false when the other side has gone. Never raises SIGPIPE.
inline bool sendAll(int socket, const void* data, std::size_t size)
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

} // namespace SoundWire
