#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test of the game.
# Prints one closing line "N passed, N failed" over all stages.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
# Runs one ctest stage and adds its counts to the totals.
stage() {
  local name=$1; shift
  echo "=== $name"
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    local total fails
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
  else
    failed=$((failed + 1))
  fi
  rm -f "$log"
}

stage "unit, widget and screen tests" \
  ctest --test-dir build --output-on-failure -j2 --timeout 600

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
