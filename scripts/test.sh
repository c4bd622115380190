#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test of the game:
#  1. the whole suite (model, toolkit, sound, media, screens, the real
#     program on Xvfb, the model and GUI soaks) in a build with
#     AddressSanitizer and UndefinedBehaviorSanitizer;
#  2. the Debian package and the licences (tests/package/check.sh): built by
#     dpkg-buildpackage (build-package/) and checked by lintian, reuse lint,
#     apt-get, its program unpacked and played on X11 and under Wayland,
#     installed and purged by piuparts, its autopkgtest run;
#  3. every fuzz target for a bounded time (FUZZ_SECONDS, 45 s each);
#  4. the formatting of every C and C++ file (scripts/check-format.sh), and
#     no include circle between the game's units (scripts/check-includes.py).
# Prints one closing line "N passed, N failed" over all stages.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

build=build-check
if ! BUILD_DIR=$build ./scripts/build.sh -DTINTARIUM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug; then
  echo "0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
# Runs one stage and adds the counts of its closing line to the totals.
stage() {
  local name=$1; shift
  echo "=== $name"
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  # The stage's last summary: CTest's, or a script's own "N passed, N failed".
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+|^[0-9]+ passed, [0-9]+ failed' "$log" | tail -n1)
  if [[ $line =~ passed,\ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    fails=${BASH_REMATCH[1]}
    total=${BASH_REMATCH[2]}
  elif [[ $line =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    fails=${BASH_REMATCH[2]}
    total=$((BASH_REMATCH[1] + fails))
  else
    total=1
    fails=1
  fi
  passed=$((passed + total - fails))
  failed=$((failed + fails))
  rm -f "$log"
}

stage "tests under AddressSanitizer and UndefinedBehaviorSanitizer" \
  ctest --test-dir "$build" --output-on-failure -j2 --timeout 900
stage "the Debian package, installed as a user gets it" \
  tests/package/check.sh "$build"
stage "fuzzing every reader of outside data" \
  ./scripts/fuzz.sh "${FUZZ_SECONDS:-45}"
stage "formatting" \
  ./scripts/check-format.sh
stage "include circles" \
  python3 scripts/check-includes.py

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
