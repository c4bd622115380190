#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package as Debian's own tools and a user meet it:
#  - scripts/package.sh builds the source, binary and -dbgsym packages with
#    dpkg-buildpackage and fails on any lintian error or warning;
#  - reuse lint: every file of the tree says its licence (REUSE);
#  - apt-get resolves its installation (--simulate), dpkg -x unpacks it (no
#    root needed), its desktop entry, icon and AppStream metadata agree on
#    the application id and validate;
#  - the unpacked program, started from an empty folder, on Xvfb with a
#    PulseAudio null sink (Start, the instructions, Játék, one shot and its
#    cue, Vége), and under weston's headless backend (start screen, the
#    window's app id names the desktop entry, setup screen, Vége);
#  - piuparts installs it into a clean Debian 12 system and purges it, and
#    finds nothing left: once with its dependencies alone, once with its
#    recommended packages too;
#  - autopkgtest runs debian/tests in a throwaway Debian 12 system
#    (autopkgtest-virt-unshare).
# piuparts and autopkgtest start from one base system, made by piuparts with
# debootstrap and kept outside the clone ($TINTARIUM_DEBIAN_CACHE, by default
# /var/cache/tintarium), made anew when it is a week old. They need root (or
# sudo) and Debian's archive.
#   tests/package/check.sh SUITE_BUILD
# SUITE_BUILD is the test suite's build, which holds tests/e2e/package_test
# and tests/e2e/weston_keys.so. Prints one closing line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
suite=$(cd "${1:?usage: $0 SUITE_BUILD}" && pwd)

passed=0
failed=0
check() {
  local name=$1
  shift
  echo "--- $name"
  local start=$SECONDS
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
  fi
  echo "($((SECONDS - start)) s)"
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# Throwaway Debian systems unpack faster into memory, where there is room
# for them and device nodes work.
scratch_parent=/tmp
if findmnt -n -o FSTYPE,OPTIONS /dev/shm 2>/dev/null | grep -q '^tmpfs' &&
  ! findmnt -n -o OPTIONS /dev/shm | grep -qw nodev &&
  [ "$(df --output=avail -k /dev/shm | tail -n 1)" -gt $((6 * 1024 * 1024)) ]; then
  scratch_parent=/dev/shm
fi
work=$(mktemp -d /tmp/tintarium-package.XXXXXX)
scratch=$(mktemp -d "$scratch_parent/tintarium-debian.XXXXXX")
unpacked=$work/unpacked
log=$work/package.log
trap '$sudo rm -rf "$scratch"; rm -rf "$work"' EXIT

build() {
  ./scripts/package.sh >"$log" 2>&1 || { tail -n 40 "$log"; return 1; }
  sed -n '/^=== lintian/,$p' "$log"
}
check "package build (dpkg-buildpackage) and lintian" build
[ "$failed" -eq 0 ] || finish
changes=$(tail -n 1 "$log")
deb=${changes%.changes}.deb
appid=org.tintarium.Tintarium

licences() {
  reuse lint >"$work/reuse.log" 2>&1 && return 0
  # The files without licence information, and the summary.
  grep -m 20 '^\* ' "$work/reuse.log"
  sed -n '/^# SUMMARY/,$p' "$work/reuse.log"
  return 1
}
check "REUSE compliance (reuse lint)" licences
check "apt-get resolves its installation" apt-get install --simulate -qq "$deb"
check "dpkg -x unpacks it" dpkg -x "$deb" "$unpacked"
[ -x "$unpacked/usr/games/tintarium" ] || finish

entry() {
  local file=$unpacked/usr/share/applications/$appid.desktop
  desktop-file-validate "$file" || return 1
  # The entry starts the game in the package's own data folder.
  local folder
  folder=$(sed -n 's/^Path=//p' "$file")
  [ -f "$unpacked$folder/TintariumUhr.avi" ] || { echo "Path=$folder holds no media files"; return 1; }
  # Software centres find the icon by the entry's Icon=, named after the id.
  local icon
  icon=$(sed -n 's/^Icon=//p' "$file")
  [ "$icon" = "$appid" ] || { echo "Icon=$icon, not $appid"; return 1; }
  [ -f "$unpacked/usr/share/icons/hicolor/256x256/apps/$icon.png" ] || { echo "no icon $icon"; return 1; }
}
check "desktop entry and icon" entry
metadata() {
  local file=$unpacked/usr/share/metainfo/$appid.metainfo.xml
  appstreamcli validate --no-net "$file" || return 1
  grep -qF "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$file" ||
    { echo "the metadata does not launch $appid.desktop"; return 1; }
}
check "AppStream metadata" metadata

export TINTARIUM_PROGRAM=$unpacked/usr/games/tintarium
check "the unpacked game on X11" tests/support/with-pulse.sh tests/support/with-xvfb.sh \
  "$suite/tests/e2e/package_test" --gtest_filter='UnpackedPackage.*'
check "the unpacked game under Wayland (weston)" \
  tests/support/with-weston.sh "$suite/tests/e2e/weston_keys.so" \
  "$suite/tests/e2e/package_test" --gtest_filter='Wayland.*'

# Debian 12 from the archive this machine's apt uses: the release's own
# suite as the mirror, its updates and security suites as extra sources.
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
arch=$(dpkg --print-architecture)
cache=${TINTARIUM_DEBIAN_CACHE:-/var/cache/tintarium}
base=$cache/debian-$release-$arch.tar.gz
mirror=""
extra=()
while read -r uri dist; do
  if [ "$dist" = "$release" ]; then
    mirror=${mirror:-$uri}
  elif [[ $dist == "$release"-* ]]; then
    extra+=("--extra-repo=deb $uri $dist main")
  fi
done < <(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
  awk '$3 == "main" { print $1, $2 }' | sort -u)

# piuparts on the .changes (the package and its debug symbols), from the
# cached base system; the first run makes that base.
piuparts_run() {
  local name=$1
  shift
  local from=(--basetgz="$base")
  if [ ! -f "$base" ]; then
    from=(--save="$base")
    echo "making the base system $base"
  fi
  if $sudo env TMPDIR="$scratch" piuparts --distribution="$release" --mirror="$mirror" "${extra[@]}" \
    "${from[@]}" "$@" "$changes" >"$work/$name.log" 2>&1; then
    grep -E 'INFO: (PASS|Installation of)' "$work/$name.log"
  else
    grep -E -A12 'ERROR|FAIL' "$work/$name.log" | head -n 40
    return 1
  fi
}
# Installing the recommended packages brings in systemd, which on purge
# leaves behind by design what its tmpfiles made for it: the state folders
# of services with DynamicUser= and the coredump and pstore folders, and
# /root/.ssh (provision.conf, for credentials passed to the system).
systemd_leftovers=(/var/lib/private/ /var/cache/private/ /var/log/private/
  /var/lib/systemd/coredump/ /var/lib/systemd/pstore/ /root/.ssh/)
piuparts_recommends() {
  local ignore=()
  for path in "${systemd_leftovers[@]}"; do
    ignore+=(--ignore="$path")
  done
  piuparts_run piuparts-recommends --install-recommends "${ignore[@]}"
}
# The smoke test of debian/tests in a user namespace, on the same base.
autopkgtest_run() {
  local out=$scratch/autopkgtest
  if TMPDIR=$scratch autopkgtest --no-built-binaries --output-dir="$out" "$changes" \
    -- unshare --tarball="$base" >"$work/autopkgtest.log" 2>&1; then
    cat "$out"/*-stdout "$out/summary" 2>/dev/null
  else
    tail -n 30 "$work/autopkgtest.log"
    cat "$out"/*-stderr 2>/dev/null
    return 1
  fi
}

if [ -z "$mirror" ]; then
  check "a Debian $release archive in apt's sources" false
  finish
fi
$sudo mkdir -p "$cache"
# A week-old base system is made anew, so that the upgrade piuparts runs
# first stays small.
$sudo find "$cache" -maxdepth 1 -name "$(basename "$base")" -mtime +6 -delete
check "piuparts: install and purge with its dependencies" piuparts_run piuparts
[ -f "$base" ] || finish
# Both install packages into systems of their own: run side by side.
piuparts_recommends >"$work/recommends.out" 2>&1 &
recommends=$!
autopkgtest_run >"$work/autopkgtest.out" 2>&1 &
smoke=$!
report() {
  wait "$2"
  local status=$?
  cat "$work/$1.out"
  return $status
}
check "piuparts: install and purge with its recommended packages" report recommends "$recommends"
check "autopkgtest (unshare): the installed game's smoke test" report autopkgtest "$smoke"
finish
