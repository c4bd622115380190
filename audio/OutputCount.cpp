// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound outputs. The sinks are asked over a connection of their own on
// a plain (unthreaded) libpulse main loop, which this function runs itself
// until the list has come or the wait is over; the connection is gone when it
// returns, so the count leaves no thread and nothing in the server behind.
#include "OutputCount.h"

#include <alsa/asoundlib.h>
#include <pulse/pulseaudio.h>

#include <algorithm>

namespace OutputCount {

namespace {

struct SinkList {
    int sinks = 0;
    bool complete = false;
    bool failed = false;
};

void sinkListed(pa_context*, const pa_sink_info* sink, int end, void* list)
{
    auto* listed = static_cast<SinkList*>(list);
    if (end < 0)
        listed->failed = true;
    else if (end > 0)
        listed->complete = true;
    else if (sink)
        ++listed->sinks;
}

// ALSA reports a missing sequencer on stderr; the count of 0 says it all.
void quietAlsa(const char*, int, const char*, int, const char*, ...) { }

} // namespace

int pulseSinks(std::chrono::milliseconds wait)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    pa_mainloop* loop = pa_mainloop_new();
    if (!loop)
        return 0;
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Tintarium");
    pa_context* context = pa_context_new_with_proplist(pa_mainloop_get_api(loop), nullptr, properties);
    pa_proplist_free(properties);
    SinkList list;
    // No autospawn: starting a server is the desktop's business.
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        pa_operation* listing = nullptr;
        while (!list.complete && !list.failed) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (!PA_CONTEXT_IS_GOOD(state))
                break;
            if (state == PA_CONTEXT_READY && !listing) {
                listing = pa_context_get_sink_info_list(context, &sinkListed, &list);
                if (!listing)
                    break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break;
            // One round: wait for the server (at most until the deadline),
            // then run what it said.
            if (pa_mainloop_prepare(loop, int(std::min<decltype(left)>(left, 1000000))) < 0
                || pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0)
                break;
        }
        if (listing) {
            if (pa_operation_get_state(listing) == PA_OPERATION_RUNNING)
                pa_operation_cancel(listing);
            pa_operation_unref(listing);
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return list.complete && !list.failed ? list.sinks : 0;
}

int midiPorts()
{
    snd_lib_error_set_handler(quietAlsa);
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0)
        return 0;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_malloc(&client);
    snd_seq_port_info_malloc(&port);
    constexpr unsigned writable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    int count = 0;
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(sequencer, client) >= 0) {
        const int number = snd_seq_client_info_get_client(client);
        if (number == SND_SEQ_CLIENT_SYSTEM) // timer and announcements, no instrument
            continue;
        snd_seq_port_info_set_client(port, number);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(sequencer, port) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(port);
            if ((caps & writable) == writable && !(caps & SND_SEQ_PORT_CAP_NO_EXPORT))
                ++count;
        }
    }
    snd_seq_port_info_free(port);
    snd_seq_client_info_free(client);
    snd_seq_close(sequencer);
    return count;
}

} // namespace OutputCount
