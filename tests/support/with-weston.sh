#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command under a private weston compositor: the headless backend with
# the pixman renderer (so weston-screenshooter can read the output), one
# 1024 x 768 output, the desktop shell, and the test keyboard of the module
# given first (weston_keys.so), which reads key names from $TINTARIUM_WESTON_KEYS.
# The command sees WAYLAND_DISPLAY and QT_QPA_PLATFORM=wayland, and no X
# display. The compositor is stopped by its process id when the command ends.
#   with-weston.sh MODULE COMMAND [ARGUMENT...]
set -u
. "$(dirname "$0")/await.sh"
module=$1
shift
work=$(mktemp -d /tmp/tintarium-weston.XXXXXX)
chmod 700 "$work"
# No on-screen keyboard, no animations: screenshots show the window at once.
cat >"$work/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
animation=none
close-animation=none
startup-animation=none
focus-animation=none
[input-method]
path=
INI
mkfifo "$work/keys"
export XDG_RUNTIME_DIR=$work
export TINTARIUM_WESTON_KEYS=$work/keys
# --debug lets clients take screenshots.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
  --socket=wayland-test --config="$work/weston.ini" --modules="$module" --debug \
  --log="$work/log" >/dev/null 2>&1 &
server=$!
cleanup() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

shell_launched() { [ -S "$work/wayland-test" ] && grep -q "launching '.*weston-desktop-shell'" "$work/log" 2>/dev/null; }
await 10 "with-weston: weston" "$work/log" shell_launched
export WAYLAND_DISPLAY=wayland-test
export QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
