#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds in release mode and prints the game's performance figures, with a
# peer desktop game (GNOME Mines, installed if missing) measured in the same
# run, alternately, so that the figures compare as ratios on a noisy machine.
# Everything runs on a private Xvfb display and PulseAudio server, and every
# process started is ended by its id.
#   scripts/bench.sh            7 runs per figure (BENCH_RUNS), 3 CPU runs of 30 s (CPU_RUNS)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
if [ ! -x /usr/games/gnome-mines ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends gnome-mines >/dev/null
fi
BUILD_DIR=build-release ./scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DTINTARIUM_SANITIZE=OFF -DBUILD_TESTING=ON
exec tests/support/with-pulse.sh tests/support/with-xvfb.sh bench/figures.sh "$(pwd)/build-release"
