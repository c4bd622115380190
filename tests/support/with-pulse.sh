#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private sound server that has one null sink
# (tests/support/sound-server.sh: PulseAudio, or PipeWire with pipewire-pulse
# when TINTARIUM_SOUND_SERVER=pipewire). The command sees PULSE_SERVER; the
# null sink's monitor is "null.monitor". The server is stopped by its process
# id when the command ends.
set -u
. "$(dirname "$0")/await.sh"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tintarium-pulse.XXXXXX)
chmod 700 "$work"
"$here/sound-server.sh" "$work" &
server=$!
cleanup() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# Ready once the null sink is the default: with PipeWire that takes the
# session manager too.
export PULSE_SERVER=unix:$work/native
null_sink_is_default() { [ -S "$work/native" ] && [ "$(pactl get-default-sink 2>/dev/null)" = null ]; }
await 10 "with-pulse: the sound server" "$work/*.log" null_sink_is_default
"$@"
