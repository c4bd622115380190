// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The media player's sound output, on the PulseAudio client library: one
// connection to the sound server, made afresh whenever the previous one has
// failed (the server stopped, crashed or restarted), and one playback stream
// per sound, on the server's default sink. libpulse runs all of it on a thread
// of its own (a threaded main loop); the owner's calls take that loop's lock
// for a moment and never wait for the server, except reachServer(), which
// waits a bounded time. Nothing runs while nothing plays: no timer, no retry.
#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;
struct timeval;

class PulseOutput {
public:
    PulseOutput();
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // True when a sound server can be reached: the connection is ready or
    // being answered, or a fresh one has not failed within `wait`. A server
    // that is gone refuses a fresh connection at once; only a new connection
    // to a server that does not answer takes the whole wait.
    bool reachServer(std::chrono::milliseconds wait);
    // Whether a sound of 16-bit samples in this layout can be played at all.
    static bool playable(int channels, int rate);

    // The sound the next play() plays; stops the one that is playing.
    void load(const QByteArray& pcm, int channels, int rate);
    // Plays the loaded sound from its beginning in a new stream, as soon as
    // the connection is ready. `cue` stays in `sounding` until the sound has
    // been heard to its end, or has failed.
    void play(std::uint64_t cue);
    // Stops the sound at once, frees its stream and forgets the sound.
    void release();

    // The number of the play still sounding, 0 for none. The owner sets it;
    // this side only clears it, and only for the play it has started.
    std::atomic<std::uint64_t> sounding { 0 };

private:
    // With the loop's lock held:
    void dropContext();
    void startStream();
    void dropStream();
    void finish();
    void feed(std::size_t bytes);

    // Called by libpulse on the loop's thread, with the lock held.
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void abandonedStreamChanged(pa_stream* stream, void*);
    static void streamWants(pa_stream* stream, std::size_t bytes, void* self);
    static void streamDrained(pa_stream* stream, int success, void* self);
    static void streamTimed(pa_stream* stream, int success, void* self);
    static void tailPlayed(pa_mainloop_api* api, pa_time_event* event, const timeval* at, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_time_event* m_tail = nullptr; // waits for the last samples in the sink

    QByteArray m_pcm;
    int m_channels = 0;
    int m_rate = 0;
    qsizetype m_written = 0;
    bool m_draining = false;
    bool m_waitingForServer = false; // a play waits for the connection
    std::uint64_t m_cue = 0;

    // The connection's state, for reachServer() to wait on without the lock.
    std::mutex m_stateMutex;
    std::condition_variable m_stateChanged;
    int m_state = 0; // a pa_context_state_t
};
