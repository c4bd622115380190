#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command on a private D-Bus session bus that carries the accessibility
# bus of at-spi2-core, as a desktop session has it, with Qt's bridge to it
# switched on. The bus launcher and the session bus are stopped by their
# process ids when the command ends (the launcher takes its own bus with it).
set -u
. "$(dirname "$0")/await.sh"
work=$(mktemp -d /tmp/tintarium-atspi.XXXXXX)
chmod 700 "$work"
exec {fd}>"$work/address"
dbus-daemon --session --nofork --nopidfile --print-address="$fd" >"$work/bus.log" 2>&1 &
bus=$!
exec {fd}>&-
launcher=
cleanup() {
  [ -n "$launcher" ] && kill "$launcher" 2>/dev/null && wait "$launcher" 2>/dev/null
  kill "$bus" 2>/dev/null
  wait "$bus" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

await 5 "with-atspi: the session bus" "$work/bus.log" test -s "$work/address"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/address")

# The accessibility bus's socket goes into the private folder.
XDG_RUNTIME_DIR=$work /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher=$!
bus_answers() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
await 5 "with-atspi: the accessibility bus" "$work/launcher.log" bus_answers
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
