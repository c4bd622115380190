#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private Xvfb display of 1024 x 768 (or $XVFB_SIZE).
# The display server is stopped by its process id when the command ends.
set -u
. "$(dirname "$0")/await.sh"
size=${XVFB_SIZE:-1024x768}
work=$(mktemp -d /tmp/tintarium-xvfb.XXXXXX)
exec {fd}>"$work/display"
Xvfb -displayfd "$fd" -screen 0 "${size}x24" -noreset -nolisten tcp >"$work/log" 2>&1 &
server=$!
exec {fd}>&-
cleanup() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

await 5 "with-xvfb: Xvfb" "$work/log" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
"$@"
