# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that start a server for a test.
#   await SECONDS WHAT LOGS COMMAND [ARGUMENT...]
# Runs COMMAND every 50 ms until it succeeds; if it has not within SECONDS,
# says that WHAT did not start, shows the server's LOGS (a file pattern)
# and ends the script.
await() {
  local tries=$(($1 * 20)) what=$2 log=$3
  shift 3
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    sleep 0.05
  done
  echo "$what did not start" >&2
  cat $log >&2 # a pattern: the server may write several logs
  exit 1
}
