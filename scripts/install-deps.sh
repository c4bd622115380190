#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the game needs to build, run and test.
# Safe to run again: it only asks apt-get for what is missing.
set -euo pipefail

packages=(
  cmake g++ pkg-config make
  qt6-base-dev
  libsndfile1-dev libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libasound2-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-utils imagemagick
  libx11-dev  # the end-to-end tests read the window from the X server
  pulseaudio pulseaudio-utils sox
  libpulse-dev  # the cues' output and the count of outputs speak to the sound server itself
  pipewire pipewire-pulse wireplumber dbus-daemon  # the sound tests run on PipeWire too
  # the game read as a screen reader reads it: the accessibility bus, and an
  # AT-SPI client for Debian's own python3
  at-spi2-core dbus-bin python3-pyatspi gir1.2-atspi-2.0
  fonts-liberation2
  # the Debian package: built by debhelper, checked by lintian, installed and
  # purged by piuparts, tested by autopkgtest (in a user namespace, hence
  # uidmap), its entry and metadata validated, the licences checked by reuse
  dpkg-dev debhelper lintian piuparts autopkgtest uidmap desktop-file-utils appstream reuse
  # the game under a Wayland compositor: weston's headless backend, its module
  # headers (for the test keyboard), Qt's Wayland plugin
  weston qt6-wayland libweston-10-dev
  python3   # confirms the reference games' data from its independent script
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# autopkgtest's unshare backend maps the ids of its throwaway system onto
# subordinate ids of the user who runs the tests: give that user a range of
# 65536 after every range already given, if it has none.
user=$(id -un)
if ! grep -qs "^$user:" /etc/subuid || ! grep -qs "^$user:" /etc/subgid; then
  first=$(cat /etc/subuid /etc/subgid 2>/dev/null | awk -F: '$2 + $3 > last { last = $2 + $3 } END { print (last > 100000 ? last : 100000) }')
  $sudo usermod --add-subuids "$first-$((first + 65535))" --add-subgids "$first-$((first + 65535))" "$user"
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
