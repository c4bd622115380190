#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on an X server, started from a folder without the clock
# clip: an error box must come up, Return must dismiss it, and the program
# must end with status 0 without ever mapping a game screen.
set -u
programm=$1
ordner=$(mktemp -d /tmp/tintarium-start.XXXXXX)
trap 'rm -rf "$ordner"' EXIT
cd "$ordner"

"$programm" &
pid=$!
# The box is the only window mapped; wait for it, then press Return in it.
fenster=""
for _ in $(seq 1 200); do
  fenster=$(xdotool search --onlyvisible --name '^Tintarium$' 2>/dev/null | head -n1)
  [ -n "$fenster" ] && break
  sleep 0.05
done
if [ -z "$fenster" ]; then
  echo "no error box appeared" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi
# Only the box: the program's screen window stays unmapped.
anzahl=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)
# No window manager runs: give the box the keyboard focus, then type.
xdotool windowfocus --sync "$fenster"
xdotool key Return
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not end after the box" >&2
  kill "$pid"
  exit 1
fi
wait "$pid"
status=$?
if [ "$status" -ne 0 ]; then
  echo "exit status $status" >&2
  exit 1
fi
if [ "$anzahl" -ne 1 ]; then
  echo "expected only the error box to be mapped, found $anzahl windows" >&2
  exit 1
fi
echo "ok: box shown, status 0"
