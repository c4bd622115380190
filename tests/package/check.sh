#!/usr/bin/env bash
# The Debian package as a user meets it: builds it with scripts/package.sh
# (which fails on lintian errors), lets apt-get resolve its installation
# (--simulate), unpacks it with dpkg -x into a temporary folder (no root
# needed), validates its desktop entry and AppStream metadata, and runs the
# unpacked program from an empty folder: on Xvfb with a PulseAudio null sink
# (Start, the instructions, Játék, one shot and its cue, Vége), and under
# weston's headless backend (start screen, setup screen, Vége).
#   tests/package/check.sh SUITE_BUILD
# SUITE_BUILD is the test suite's build, which holds tests/e2e/package_test
# and tests/e2e/weston_keys.so. Prints one closing line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
suite=$(cd "${1:?usage: $0 SUITE_BUILD}" && pwd)

passed=0
failed=0
check() {
  local name=$1
  shift
  echo "--- $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

unpacked=$(mktemp -d /tmp/tintarium-package.XXXXXX)
log=$unpacked.log
trap 'rm -rf "$unpacked" "$log"' EXIT

build() {
  ./scripts/package.sh >"$log" 2>&1 || { tail -n 40 "$log"; return 1; }
  sed -n '/^=== lintian/,$p' "$log"
}
check "package build and lintian" build
[ "$failed" -eq 0 ] || finish
deb=$(tail -n 1 "$log")

check "apt-get resolves its installation" apt-get install --simulate -qq "$deb"
check "dpkg -x unpacks it" dpkg -x "$deb" "$unpacked"
[ -x "$unpacked/usr/games/tintarium" ] || finish

entry() {
  local file=$unpacked/usr/share/applications/org.tintarium.Tintarium.desktop
  desktop-file-validate "$file" || return 1
  # The entry starts the game in the package's own data folder.
  local folder
  folder=$(sed -n 's/^Path=//p' "$file")
  [ -f "$unpacked$folder/TintariumUhr.avi" ] || { echo "Path=$folder holds no media files"; return 1; }
}
check "desktop entry" entry
check "AppStream metadata" appstreamcli validate --no-net \
  "$unpacked/usr/share/metainfo/org.tintarium.Tintarium.metainfo.xml"

export TINTARIUM_PROGRAM=$unpacked/usr/games/tintarium
check "the unpacked game on X11" tests/support/with-pulse.sh tests/support/with-xvfb.sh \
  "$suite/tests/e2e/package_test" --gtest_filter='UnpackedPackage.*'
check "the unpacked game under Wayland (weston)" \
  tests/support/with-weston.sh "$suite/tests/e2e/weston_keys.so" \
  "$suite/tests/e2e/package_test" --gtest_filter='Wayland.*'
finish
