#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of fuzz/ with clang (ASan, UBSan) and runs each
# on its seed corpus fuzz/corpus/<target>/ with its dictionary, if any, two
# targets at a time (FUZZ_JOBS, 2 for two cores).
#   scripts/fuzz.sh            every target for 60 s
#   scripts/fuzz.sh SECONDS    every target for SECONDS
# A target fails on any crash, leak, timeout (10 s per input), memory use past
# the limit or sanitizer report; its input is saved under
# build-fuzz/run/<target>/. Prints one closing line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:-60}
jobs=${FUZZ_JOBS:-2}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ] || ! [[ "$jobs" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: [FUZZ_JOBS=N] $0 [seconds per target]" >&2
  exit 2
fi
build=${TINTARIUM_FUZZ_BUILD:-$root/build-fuzz}
compiler=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$compiler" ]; then
  echo "clang++ not found (scripts/install-deps.sh installs it)" >&2
  echo "0 passed, 1 failed"
  exit 1
fi

echo "=== building fuzz targets in $build"
mkdir -p "$build"
if ! cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER="$compiler" >"$build/configure.log" 2>&1 \
  || ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
  tail -n 30 "$build/configure.log" "$build/build.log" 2>/dev/null
  echo "0 passed, 1 failed"
  exit 1
fi

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=0"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Longest input per target: room for real files without slowing the search.
max_len() {
  case "$1" in
    rtf) echo 16384 ;;
    *) echo 65536 ;;
  esac
}

# Runs one target and writes its closing lines to $run/result; the first
# word there is "passed" or "FAILED".
fuzz_target() {
  local target=$1
  local binary="$build/fuzz_$target"
  local run="$build/run/$target"
  mkdir -p "$run/corpus" "$run/artifacts"
  local seeds="fuzz/corpus/$target"
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")"
        -print_final_stats=1 -artifact_prefix="$run/artifacts/")
  [ -f "fuzz/$target.dict" ] && args+=(-dict="fuzz/$target.dict")
  # New inputs go to the scratch corpus; the seeds in the repository stay as they are.
  local corpora=("$run/corpus")
  [ -d "$seeds" ] && corpora+=("$seeds")
  local log="$run/fuzz.log"
  timeout $((seconds + 300)) "$binary" "${args[@]}" "${corpora[@]}" >"$log" 2>&1
  local rc=$?
  local done_line runs cov
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n1)
  runs=$(sed -nE 's/^stat::number_of_executed_units:[[:space:]]*([0-9]+).*/\1/p' "$log" | tail -n1)
  cov=$(sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+).*/cov \1 ft \2/p' <<<"$done_line")
  if [ $rc -eq 0 ] && [ -n "$done_line" ] && ! grep -qE 'ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:' "$log"; then
    echo "passed, ${runs:-?} runs, ${cov:-no coverage line}" >"$run/result"
  else
    { echo "FAILED (exit $rc), log $log"
      grep -E 'ERROR|SUMMARY|runtime error|Test unit written|timeout|out-of-memory' "$log" | head -n 10
    } >"$run/result"
  fi
}

targets=()
for source in fuzz/*_fuzzer.cpp; do
  targets+=("$(basename "$source" _fuzzer.cpp)")
done
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
  rm -f "$build/run/$target/result"
  echo "=== $target: ${seconds}s"
  fuzz_target "$target" &
  running=$((running + 1))
done
wait

passed=0
failed=0
for target in "${targets[@]}"; do
  result="$build/run/$target/result"
  if [ -f "$result" ] && [ "$(head -c 6 "$result")" = "passed" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  echo "$target: $(cat "$result" 2>/dev/null || echo "FAILED (no result)")"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
