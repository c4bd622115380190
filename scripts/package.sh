#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian packages the way Debian does, from debian/: dpkg-buildpackage
# makes the source package, the binary package and its debug symbols
# (-dbgsym), unsigned, into build-package/ (or $PACKAGE_BUILD_DIR); then
# lintian checks all of them through the .changes and fails on any error or
# warning. Prints the path of the .changes as its last line. Needs no root.
# The build runs in a copy of the tree, of the files git knows (tracked, or
# new and not ignored), so build folders stay out of the source package and
# the working tree stays clean.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
umask 022
./scripts/install-deps.sh

out=${PACKAGE_BUILD_DIR:-$root/build-package}
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
tree=$out/tintarium-$version
rm -rf "$tree" "$out"/tintarium_* "$out"/tintarium-dbgsym_*
mkdir -p "$tree"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
      [ -e "$file" ] && printf '%s\0' "$file"
    done | tar --create --null --files-from=- | tar --extract --directory="$tree"
else
  tar --create --exclude='./build*' --exclude=./.git . | tar --extract --directory="$tree"
fi

# A compiler cache, where there is one, makes the next build cheap: the
# copy of the tree is made anew each time.
# debhelper gives the build a HOME of its own, so the cache is named here.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  CCACHE_DIR=$(ccache --get-config cache_dir)
  export CCACHE_DIR
fi
echo "=== dpkg-buildpackage"
(cd "$tree" && dpkg-buildpackage --build=full --no-sign --jobs-try="$(nproc)")
changes=$out/tintarium_${version}_$arch.changes

echo "=== lintian"
lintian --pedantic --display-info --fail-on error,warning "$changes" ||
  { echo "package: lintian found errors or warnings" >&2; exit 1; }
echo "$changes"
