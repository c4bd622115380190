#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the screen pictures that README.md shows: builds, runs the
# end-to-end suite (which saves a screenshot of every screen), and copies
# them to docs/screens/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
build=${BUILD_DIR:-build}
ctest --test-dir "$build" -R '^e2e\.game$' --output-on-failure
mkdir -p docs/screens
for shot in start setup instructions game next-player winner error-box; do
  cp "$build/shots/$shot.png" docs/screens/
done
echo "docs/screens/ refreshed"
