#!/usr/bin/env bash
# Runs a command against a private PulseAudio server that has one null sink.
# The command sees PULSE_SERVER; the null sink's monitor is "null.monitor".
# The server is stopped by its process id when the command ends.
set -u
work=$(mktemp -d /tmp/tintarium-pulse.XXXXXX)
chmod 700 "$work"
XDG_RUNTIME_DIR=$work HOME=$work pulseaudio --daemonize=no --exit-idle-time=-1 \
  --disallow-exit -n --use-pid-file=no --disable-shm=yes \
  --load=module-null-sink \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
  >"$work/log" 2>&1 &
server=$!
cleanup() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

export PULSE_SERVER=unix:$work/native
for _ in $(seq 1 100); do
  [ -S "$work/native" ] && pactl info >/dev/null 2>&1 && break
  sleep 0.05
done
if ! pactl info >/dev/null 2>&1; then
  echo "with-pulse: the PulseAudio server did not start" >&2
  cat "$work/log" >&2
  exit 1
fi
"$@"
