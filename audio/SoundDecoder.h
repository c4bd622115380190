// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads a sound file whole into 16-bit PCM with libsndfile, within bounds on
// what a cue may be (a corrupt header may claim anything). libsndfile runs in
// a small process of its own (SoundDecoderProcess): on a spoiled file it may
// spin for minutes or crash, and neither may reach the game. A decode that
// makes no progress for half a second is given up and that process killed.
// The outcome says what became of the file; the media player words it.
#pragma once

#include "SoundWire.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// Why a sound has no samples.
enum class SoundFailure {
    None,
    FileNotFound, // no name, or no file of that name
    // Not a sound within the bounds: an unknown format, a spoiled or empty
    // file, a folder, or a file whose decode stalled or crashed the decoder.
    NotPlayable,
    // The file could not be read for another reason (no permission, a name
    // too long), or no decoder could be started.
    Unreadable,
};

// What the decoder learnt of a file, whether or not it can be played; the
// fuzz target's coverage guidance reads it.
struct SoundFileReport {
    enum class Ending { Decoded, Refused, Stalled, DecoderDied };
    Ending ending = Ending::Refused;
    int sndfileError = 0; // libsndfile's code when it could not open the file
    int format = 0; // libsndfile's format code of an opened file
    int channels = 0;
    std::int64_t frames = 0; // as the file's header claims
};

struct DecodedSound {
    SoundFailure failure = SoundFailure::None;
    QByteArray pcm; // interleaved 16-bit samples; empty on a failure
    int channels = 0;
    int rate = 0;
    SoundFileReport report;
};

// The decoder process as the game sees it: forked at the first decode, kept
// for the next ones while it answers, replaced when it does not. One serves
// the whole program and is killed when the program ends.
class SoundDecoder {
public:
    // Decodes the file of that name; the decoder reads it itself, so a file
    // that blocks its reader (a FIFO, a hung network file system) holds up
    // only the decoder.
    static DecodedSound decodeFile(const QString& fileName);
    // Decodes a file's bytes, as if they had been read from a file.
    static DecodedSound decodeBytes(const QByteArray& bytes);

    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;
    ~SoundDecoder();

private:
    SoundDecoder() = default;
    static SoundDecoder& shared();

    // `sizeHint`: the file's size, which bounds the first buffer for its samples.
    DecodedSound decode(SoundWire::Request::Kind kind, const QByteArray& payload, std::int64_t sizeHint);
    bool start();
    void stop() noexcept;
    void reapLeftovers() noexcept;
    // False when the idle decoder has ended or is out of step: anything to
    // read from it now would be its end or a stray answer.
    bool idle() const;
    // Reads exactly `size` bytes of the answer; false, with the report's
    // ending set, when the decoder stalls or ends first.
    bool receiveAnswer(void* data, std::size_t size, SoundFileReport& report);

    std::mutex m_mutex;
    pid_t m_pid = 0;
    int m_socket = -1;
    int m_pidfd = -1;
    int m_files = 0;
    std::vector<pid_t> m_unreaped;
};
