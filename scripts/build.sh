#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing and builds the game into build/ (or $BUILD_DIR):
# everything, or only BUILD_TARGET and what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=${BUILD_DIR:-build}
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B "$build" -DTINTARIUM_WERROR=$werror "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
