#!/usr/bin/env bash
# Builds a release of the game with Debian's hardening flags and makes a
# Debian package of it, laid out where Debian puts games:
#   build-package/tintarium_<version>_<arch>.deb    (or $PACKAGE_BUILD_DIR)
# The program goes to /usr/games, its media files to /usr/share/games/tintarium;
# the dependencies come from the linked libraries (dpkg-shlibdeps), and the
# FFmpeg libraries that the clip reader loads at run time, which no tool can
# see, are added as Recommends. lintian checks the result; its errors fail the
# script, its warnings are printed. Needs no root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
umask 022
./scripts/install-deps.sh

build=${PACKAGE_BUILD_DIR:-$root/build-package}
mkdir -p "$build"
build=$(cd "$build" && pwd)
# The package's tree stands where Debian's tools expect it, in a minimal
# source tree of its own (debian/control names the package for dpkg-shlibdeps).
tree=$build/debian-tree
stage=$tree/debian/tintarium

version=$(sed -nE 's/^project\(Tintarium VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
if [ "$version" != "$changelog_version" ]; then
  echo "package: packaging/changelog is at $changelog_version, the program at $version" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)

# The release, without tests and benchmarks, with Debian's build flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DTINTARIUM_INSTALL_MEDIADIR=share/games/tintarium >/dev/null
cmake --build "$build" -j"$(nproc)"

rm -rf "$tree"
mkdir -p "$tree/debian"
printf 'Source: tintarium\n\nPackage: tintarium\nArchitecture: any\n' >"$tree/debian/control"
DESTDIR=$stage cmake --install "$build" >/dev/null
program=$stage/usr/games/tintarium
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$program"
gzip -9n "$stage/usr/share/man/man6/tintarium.6"
doc=$stage/usr/share/doc/tintarium
install -d "$doc"
install -m 644 packaging/copyright "$doc/copyright"
gzip -9n <packaging/changelog >"$doc/changelog.gz"

# Dependencies of the linked libraries.
depends=$(cd "$tree" && dpkg-shlibdeps -O -edebian/tintarium/usr/games/tintarium | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

# FFmpeg, loaded with dlopen by its sonames (the major versions of the headers
# built against), each with the minimal version its package's shlibs name.
# Only compressed clock clips need it: the game's own clip is uncompressed
# and read without FFmpeg, so a Recommends, which apt installs by default.
recommends=""
for lib in avformat avcodec swscale avutil; do
  soname=lib$lib.so.$(pkg-config --modversion "lib$lib" | cut -d. -f1)
  owner=$(dpkg-query -S "/usr/lib/$multiarch/$soname" | cut -d: -f1)
  requirement=$(dpkg-query --control-show "$owner:$arch" shlibs | awk -v n="lib$lib" '$1 == n { $1 = $2 = ""; sub(/^ +/, ""); print; exit }')
  recommends+="${requirement:-$owner}, "
done
# Qt's Wayland platform plugin, for Wayland desktops; X11 needs no extra.
recommends+="qt6-wayland"

install -d "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
cat >"$stage/DEBIAN/control" <<EOF
Package: tintarium
Version: $version
Architecture: $arch
Maintainer: Tintarium developers <developers@tintarium.org>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends, fonts-liberation2
Recommends: $recommends
Section: games
Priority: optional
Description: colour-memory game for one or two players
 Each turn shows a target colour. Among five to nine tiles of similar
 colours, random sizes and random shapes, click the tile of exactly that
 colour before the clock's six segments run out, or skip the turn. At the
 harder difficulties the target disappears after the first segment and must
 be remembered. Sixteen hits win; every five hits in total the colours come
 closer.
 .
 The game's texts are Hungarian, with a few German ones.
EOF

deb=$build/tintarium_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "=== lintian"
lintian --fail-on error --info "$deb" || { echo "package: lintian found errors" >&2; exit 1; }
echo "$deb"
