#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private sound server that has one null sink
# (tests/support/sound-server.sh: PulseAudio, or PipeWire with pipewire-pulse
# when TINTARIUM_SOUND_SERVER=pipewire). The command sees PULSE_SERVER; the
# null sink's monitor is "null.monitor". The server is stopped by its process
# id when the command ends.
set -u
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
for _ in $(seq 1 200); do
  [ -S "$work/native" ] && [ "$(pactl get-default-sink 2>/dev/null)" = null ] && break
  sleep 0.05
done
if [ "$(pactl get-default-sink 2>/dev/null)" != null ]; then
  echo "with-pulse: the sound server did not start" >&2
  cat "$work"/*.log >&2
  exit 1
fi
"$@"
