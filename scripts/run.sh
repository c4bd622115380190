#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the game from the folder that
# holds its six media files (the game reads them by plain name).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_TARGET=tintarium ./scripts/build.sh
cd "${BUILD_DIR:-build}/game"
exec ./tintarium
