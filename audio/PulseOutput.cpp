// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound output on libpulse. A new connection is made only when a sound is
// about to be opened and the previous connection is not ready, so a server
// that went away is found again at the next cue, with nothing polling in the
// meantime. Each play gets a stream of its own on the default sink, which
// therefore follows whatever output the desktop has made the default, and the
// stream is freed once its sound has been heard: the server drains it, then
// the sink's own latency is waited out, since a freed stream is cut from the
// sink at once, its last samples with it.
#include "PulseOutput.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace {

class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop)
        : m_loop(loop)
    {
        pa_threaded_mainloop_lock(m_loop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

bool failed(int state)
{
    return state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED;
}

bool settled(int state)
{
    return state == PA_CONTEXT_READY || failed(state);
}

// Operations whose completion is reported through a callback; false when
// libpulse refused to start one.
bool started(pa_operation* operation)
{
    if (!operation)
        return false;
    pa_operation_unref(operation);
    return true;
}

} // namespace

PulseOutput::PulseOutput()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    pa_threaded_mainloop_set_name(m_loop, "tintarium-sound");
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

PulseOutput::~PulseOutput()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        dropContext();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

bool PulseOutput::reachServer(std::chrono::milliseconds wait)
{
    if (!m_loop)
        return false;
    {
        LoopLock lock(m_loop);
        // A connection that is ready, or that the server accepted and is still
        // answering (a busy server can take seconds), is kept.
        if (m_context && !failed(pa_context_get_state(m_context)))
            return true;
        dropContext();
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Tintarium");
        m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), nullptr, properties);
        pa_proplist_free(properties);
        if (!m_context)
            return false;
        {
            std::lock_guard state(m_stateMutex);
            m_state = PA_CONTEXT_UNCONNECTED;
        }
        pa_context_set_state_callback(m_context, &PulseOutput::contextChanged, this);
        // No autospawn: starting a server is the desktop's business, and
        // waiting for one to start would hold up the caller. A server that is
        // gone fails the connection here, at once.
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
    }
    // Waited for without the loop's lock, which the connection needs. A live
    // server answers within milliseconds; one that refuses the client says so
    // as fast; a slow one is given the benefit of the doubt.
    std::unique_lock state(m_stateMutex);
    m_stateChanged.wait_for(state, wait, [this] { return settled(m_state); });
    return !failed(m_state);
}

bool PulseOutput::playable(int channels, int rate)
{
    const pa_sample_spec format { PA_SAMPLE_S16LE, static_cast<std::uint32_t>(std::max(rate, 0)),
        static_cast<std::uint8_t>(std::clamp(channels, 0, 255)) };
    return channels > 0 && channels <= int(PA_CHANNELS_MAX) && pa_sample_spec_valid(&format) != 0;
}

void PulseOutput::load(const QByteArray& pcm, int channels, int rate)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    dropStream();
    m_pcm = pcm; // shares the bytes, copies nothing
    m_channels = channels;
    m_rate = rate;
}

void PulseOutput::play(std::uint64_t cue)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    dropStream();
    m_cue = cue;
    const pa_context_state_t state = m_context ? pa_context_get_state(m_context) : PA_CONTEXT_FAILED;
    if (m_pcm.isEmpty() || failed(state))
        finish();
    else if (state == PA_CONTEXT_READY)
        startStream();
    else
        m_waitingForServer = true; // starts once the connection is ready
}

void PulseOutput::startStream()
{
    const pa_sample_spec format { PA_SAMPLE_S16LE, static_cast<std::uint32_t>(m_rate),
        static_cast<std::uint8_t>(m_channels) };
    pa_channel_map channels;
    pa_channel_map_init_extend(&channels, unsigned(m_channels), PA_CHANNEL_MAP_WAVEEX);
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
    m_stream = pa_stream_new_with_proplist(m_context, "Tintarium", &format, &channels, properties);
    pa_proplist_free(properties);
    if (!m_stream) {
        finish();
        return;
    }
    m_written = 0;
    m_draining = false;
    pa_stream_set_state_callback(m_stream, &PulseOutput::streamChanged, this);
    pa_stream_set_write_callback(m_stream, &PulseOutput::streamWants, this);
    // No device: the server's default sink, now and after a move.
    if (pa_stream_connect_playback(m_stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        finish();
}

void PulseOutput::release()
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    dropStream();
    m_pcm = QByteArray();
}

void PulseOutput::dropContext()
{
    dropStream();
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulseOutput::dropStream()
{
    m_waitingForServer = false;
    if (m_tail) {
        pa_threaded_mainloop_get_api(m_loop)->time_free(m_tail);
        m_tail = nullptr;
    }
    if (!m_stream)
        return;
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    if (pa_stream_get_state(m_stream) == PA_STREAM_CREATING) {
        // The server has not confirmed the stream yet, and libpulse cannot
        // disconnect it before it has: it would stay on the sink until the
        // connection ends. It is disconnected as soon as it is confirmed.
        pa_stream_set_state_callback(m_stream, &PulseOutput::abandonedStreamChanged, nullptr);
        m_stream = nullptr;
        return;
    }
    // Disconnecting takes the stream off the sink at once, which silences it.
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
}

// A stream given up before the server confirmed it: this holds the last
// reference of ours to it, and owes the server its disconnection.
void PulseOutput::abandonedStreamChanged(pa_stream* stream, void*)
{
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY: pa_stream_disconnect(stream); break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // libpulse holds a reference of its own while it reports the state.
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        break;
    default: break;
    }
}

// The sound has been heard, or cannot be: the play ends and its stream goes.
void PulseOutput::finish()
{
    std::uint64_t cue = m_cue;
    sounding.compare_exchange_strong(cue, 0);
    dropStream();
}

void PulseOutput::feed(std::size_t bytes)
{
    const qsizetype frame = qsizetype(m_channels) * 2;
    const qsizetype left = m_pcm.size() - m_written;
    qsizetype now = std::min<qsizetype>(qsizetype(bytes), left);
    now -= now % frame;
    if (now > 0) {
        // Copied by libpulse, so the bytes need not outlive the stream.
        if (pa_stream_write(m_stream, m_pcm.constData() + m_written, std::size_t(now), nullptr, 0, PA_SEEK_RELATIVE)
            < 0) {
            finish();
            return;
        }
        m_written += now;
    }
    if (m_pcm.size() - m_written < frame && !m_draining) {
        // Draining also starts a sound shorter than the server's prebuffer.
        m_draining = true;
        if (!started(pa_stream_drain(m_stream, &PulseOutput::streamDrained, this)))
            finish();
    }
}

void PulseOutput::contextChanged(pa_context* context, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    const pa_context_state_t now = pa_context_get_state(context);
    {
        std::lock_guard state(output->m_stateMutex);
        output->m_state = now;
    }
    output->m_stateChanged.notify_all();
    if (output->m_waitingForServer && settled(now)) {
        output->m_waitingForServer = false;
        if (now == PA_CONTEXT_READY)
            output->startStream();
        else
            output->finish();
    }
}

void PulseOutput::streamChanged(pa_stream* stream, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (stream == output->m_stream && (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED))
        output->finish();
}

void PulseOutput::streamWants(pa_stream* stream, std::size_t bytes, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    if (stream == output->m_stream)
        output->feed(bytes);
}

void PulseOutput::streamDrained(pa_stream* stream, int success, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    if (stream != output->m_stream)
        return;
    if (!success || !started(pa_stream_update_timing_info(stream, &PulseOutput::streamTimed, self)))
        output->finish();
}

// Drained means handed to the sink; what the sink still holds is heard later.
void PulseOutput::streamTimed(pa_stream* stream, int success, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    if (stream != output->m_stream)
        return;
    pa_usec_t latency = 0;
    int negative = 0;
    if (success && pa_stream_get_latency(stream, &latency, &negative) == 0 && !negative && latency > 0) {
        output->m_tail
            = pa_context_rttime_new(output->m_context, pa_rtclock_now() + latency, &PulseOutput::tailPlayed, self);
        if (output->m_tail)
            return;
    }
    output->finish();
}

void PulseOutput::tailPlayed(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self)
{
    auto* output = static_cast<PulseOutput*>(self);
    api->time_free(event);
    output->m_tail = nullptr;
    output->finish();
}
