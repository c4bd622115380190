#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a private sound server in the foreground until this script is ended by
# its process id: the PulseAudio protocol at DIR/native, with one null sink
# "null" (the default sink), whose monitor "null.monitor" records what plays.
#   sound-server.sh DIR
# TINTARIUM_SOUND_SERVER picks the server: "pulseaudio" (the default), or
# "pipewire": PipeWire with pipewire-pulse, the session manager WirePlumber
# (which links streams to sinks) and the private D-Bus that WirePlumber needs.
# SIGTERM ends the server's processes by their ids; SIGUSR1 kills them at
# once, as a crash would. Logs go to DIR/*.log.
set -u
dir=$1
export XDG_RUNTIME_DIR=$dir HOME=$dir
pids=()
finish() {
  [ ${#pids[@]} -gt 0 ] && kill -"$1" "${pids[@]}" 2>/dev/null
  wait "${pids[@]}" 2>/dev/null
  exit 0
}
trap 'finish TERM' TERM INT
trap 'finish KILL' USR1

case "${TINTARIUM_SOUND_SERVER:-pulseaudio}" in
  pulseaudio)
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n --use-pid-file=no \
      --disable-shm=yes --load=module-null-sink \
      --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
      >"$dir/pulseaudio.log" 2>&1 &
    pids+=($!)
    ;;
  pipewire)
    export XDG_CONFIG_HOME=$dir/config PIPEWIRE_RUNTIME_DIR=$dir
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$dir/bus
    mkdir -p "$dir/config/pipewire/pipewire.conf.d" "$dir/config/pipewire/pipewire-pulse.conf.d"
    cat >"$dir/config/pipewire/pipewire.conf.d/null-sink.conf" <<'EOF'
context.objects = [
  { factory = adapter
    args = {
      factory.name     = support.null-audio-sink
      node.name        = "null"
      node.description = "Null Output"
      media.class      = "Audio/Sink"
      audio.position   = [ FL FR ]
    }
  }
]
EOF
    echo "pulse.properties = { server.address = [ \"unix:$dir/native\" ] }" \
      >"$dir/config/pipewire/pipewire-pulse.conf.d/socket.conf"
    dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile >"$dir/dbus.log" 2>&1 &
    pids+=($!)
    pipewire >"$dir/pipewire.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do
      [ -S "$dir/pipewire-0" ] && [ -S "$dir/bus" ] && break
      sleep 0.05
    done
    wireplumber >"$dir/wireplumber.log" 2>&1 &
    pids+=($!)
    pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
    pids+=($!)
    ;;
  *)
    echo "sound-server: unknown TINTARIUM_SOUND_SERVER '$TINTARIUM_SOUND_SERVER'" >&2
    exit 2
    ;;
esac

# One process ending ends the server; a signal ends the wait at once.
wait -n
finish TERM
