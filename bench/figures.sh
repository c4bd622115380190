#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the figures of scripts/bench.sh on the current X display; run it
# through that script. Argument: the release build folder.
set -uo pipefail
build=$1
runs=${BENCH_RUNS:-7}
cpu_runs=${CPU_RUNS:-3}
game_dir=$build/game
startwatch=$build/bench/startwatch
mines=/usr/games/gnome-mines
# The game window sits at 108, 83 on the 1024 x 768 display.
ox=108
oy=83

# "median (min to max)" of the numbers on standard input.
stats() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.4g (%.4g to %.4g)", m, v[1], v[NR] }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
value() { sed -n "s/^$1=//p"; }

ours() { (cd "$game_dir" && "$startwatch" "$@" -- ./tintarium 2>/dev/null); }
peer() { "$startwatch" "$@" -- "$mines" 2>/dev/null; }

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Percent of one core that process $1 used over 30 s of its run.
cpu_share() {
  local t0 t1
  t0=$(cpu_ticks "$1"); sleep 30; t1=$(cpu_ticks "$1")
  echo "$(( t1 - t0 ))" | awk -v hz="$(getconf CLK_TCK)" '{ printf "%.3f\n", 100 * $1 / hz / 30 }'
}
# Starts the peer, sets mpid, and X, Y, WIDTH, HEIGHT of its window (if found).
start_mines() {
  "$mines" >/dev/null 2>&1 &
  mpid=$!
  sleep "$1"
  local wid
  wid=$(xdotool search --onlyvisible --pid "$mpid" 2>/dev/null | head -n1)
  WIDTH=0
  [ -n "$wid" ] && eval "$(xdotool getwindowgeometry --shell "$wid")"
}
end_process() { kill "$1" 2>/dev/null; sleep 0.3; kill -9 "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "warming up" >&2
ours >/dev/null; peer >/dev/null

echo "start to first window and memory 2 s after start: $runs runs each, alternating" >&2
for _ in $(seq "$runs"); do
  ours --hwm-after 2000 >"$work/o" ; value map_ms <"$work/o" >>"$work/ours_map"; value hwm_kb <"$work/o" >>"$work/ours_hwm"
  peer --hwm-after 2000 >"$work/p" ; value map_ms <"$work/p" >>"$work/peer_map"; value hwm_kb <"$work/p" >>"$work/peer_hwm"
done

echo "memory over whole games" >&2
"$build/bench/play_games" 3 >"$work/games" 2>/dev/null
# The peer: 40 clicks on its minefield, then its peak memory.
start_mines 2
if [ "$WIDTH" -gt 0 ]; then
  for _ in $(seq 40); do
    xdotool mousemove $((X + WIDTH / 4 + RANDOM % (WIDTH / 2))) $((Y + HEIGHT / 4 + RANDOM % (HEIGHT / 2))) click 1
    sleep 0.05
  done
fi
sleep 1
peer_play_hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$mpid/status")
end_process "$mpid"

echo "processor while a turn runs: $cpu_runs runs of 30 s each, alternating" >&2
for _ in $(seq "$cpu_runs"); do
  (cd "$game_dir" && exec ./tintarium >/dev/null 2>&1) &
  gpid=$!
  sleep 1.5
  xdotool mousemove $((ox + 757)) $((oy + 512)) click 1; sleep 0.7     # "Start"
  xdotool mousemove $((ox + 757)) $((oy + 512)) click 1; sleep 0.7     # "Játék"
  xdotool mousemove 1000 740                                          # off the window
  cpu_share "$gpid" >>"$work/ours_cpu"
  end_process "$gpid"

  start_mines 1.5
  if [ "$WIDTH" -gt 0 ]; then
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1   # starts its game clock
    xdotool mousemove 1000 740
  fi
  cpu_share "$mpid" >>"$work/peer_cpu"
  end_process "$mpid"
done

echo "clock precision (100 passes of frames 1 to 15 at 15 and 60 frames per second)" >&2
"$build/bench/clock_bench" 100 >"$work/clock" 2>/dev/null
echo "shots (1,000 misses and 1,000 hits, in the real window, with and without a sound server)" >&2
QT_QPA_PLATFORM=xcb TINTARIUM_MEDIA=$game_dir "$build/bench/screens_bench" >"$work/shots" 2>/dev/null
echo "model work" >&2
"$build/bench/model_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true >"$work/model" 2>/dev/null

om=$(median <"$work/ours_map"); pm=$(median <"$work/peer_map")
oh=$(median <"$work/ours_hwm"); ph=$(median <"$work/peer_hwm")
game_hwm() { sed -n "s/^game=$1 hwm_kb=\([0-9-]*\).*/\1/p" "$work/games"; }
clock_line() { awk -v rate="$1" '$0 ~ "^== " rate { on = 1 } on && /pass length deviation/ { print; exit }' "$work/clock"; }
clock_growth() { awk -v rate="$1" '$0 ~ "^== " rate { on = 1 } on && /first 10 passes/ { print; exit }' "$work/clock"; }
shot() { awk -v name="$1" '$1 ~ "^" name "/" { for (i = 1; i <= NF; i++) if ($i ~ /^(median_us|p99_us|error_boxes)=/) printf "%s ", $i }' "$work/shots"; }

cat <<TABLE

Tintarium against GNOME Mines, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m), Xvfb 1024x768

| figure | Tintarium | GNOME Mines | ratio | target |
|---|---|---|---|---|
| start to first window, ms (median, min to max) | $(stats <"$work/ours_map") | $(stats <"$work/peer_map") | $(awk -v a="$om" -v b="$pm" 'BEGIN { printf "%.2f", a / b }') | at most 0.8 x the peer's, under 100 ms |
| peak memory 2 s after start, MB | $(awk '{ print $1 / 1024 }' "$work/ours_hwm" | stats) | $(awk '{ print $1 / 1024 }' "$work/peer_hwm" | stats) | $(awk -v a="$oh" -v b="$ph" 'BEGIN { printf "%.2f", a / b }') | at most the peer's |
| peak memory after games 1, 2, 3 (peer: after 40 clicks), MB | $(for g in 1 2 3; do game_hwm $g | awk '{ printf "%.1f ", $1 / 1024 }'; done) | $(awk -v k="$peer_play_hwm" 'BEGIN { printf "%.1f", k / 1024 }') | $(awk -v a="$(game_hwm 1)" -v b="$peer_play_hwm" 'BEGIN { printf "%.2f", a / b }') | at most the peer's, flat from game to game |
| processor over 30 s of a running turn, % of one core | $(stats <"$work/ours_cpu") | $(stats <"$work/peer_cpu") | | under 1 % |
| clock pass deviation at 15 fps | $(clock_line 66666 | sed 's/^ *pass length deviation: //'); $(clock_growth 66666 | sed 's/^ *//') | | | mean under 1 ms, largest under 4 ms, no growth |
| clock pass deviation at 60 fps | $(clock_line 16666 | sed 's/^ *pass length deviation: //'); $(clock_growth 16666 | sed 's/^ *//') | | | as above |
| a shot, miss: press to repainted window | $(shot BM_Fehlschuss) | | | median under 2 ms, 99th percentile under 5 ms |
| a shot, hit: press to repainted window | $(shot BM_Treffer) | | | as above |
| a shot, miss, with the sound server gone (its cue fails and is reported) | $(shot BM_FehlschussOhneTonserver) | | | as above |
| a shot, hit, with the sound server gone | $(shot BM_TrefferOhneTonserver) | | | as above |
| a hit's model work (FarbenZiehen + FarbenVerteilen + KartenZeigen) | $(awk '/^EinTreffer_median/ { print $4, $5; exit }' "$work/model") CPU | | | report |
TABLE
echo
echo "model benchmarks (median of 3 repetitions):"
grep -E '_median' "$work/model" || cat "$work/model"
