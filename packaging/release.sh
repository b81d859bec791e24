#!/bin/bash
# Makes the release of this commit into dist/: the files that doc/release.md lists. The same
# commit gives the same bytes wherever and whenever it is built, so anyone can rebuild a
# download and compare.
# Usage: packaging/release.sh   (dist/ is emptied first; build-release*/ are its own)
set -euo pipefail
cd -P "$(dirname "$0")/.." # the real path: the compiler records that one, and it is mapped
die() { echo "release: $*" >&2; exit 1; }

# What is built depends on the commit alone: not on the caller's flags, locale,
# time zone or umask, nor on files the commit does not hold.
[ -z "$(git status --porcelain)" ] || die "uncommitted changes or untracked files in the" \
  "checkout; commit them, or set them aside with: git stash --include-untracked"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH LC_ALL=C TZ=UTC
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS MAKEFLAGS DESTDIR
umask 022

# Built as Debian builds its packages: dpkg-buildflags' hardening for each architecture, all
# of it, and stack clash protection, which Debian 12 leaves to each package. The caller's
# DEB_* settings stay out.
# build DIR DEB-ARCH [cmake arguments]: configures and builds DIR, a Release build.
build() {
  local dir=$1 cpp cxx ld get=(env -i "PATH=$PATH" "DEB_HOST_ARCH=$2"
    DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_APPEND=-fstack-clash-protection
    dpkg-buildflags --get)
  shift 2
  cpp=$("${get[@]}" CPPFLAGS) # one at a time, so that a failure stops the release
  cxx=$("${get[@]}" CXXFLAGS)
  ld=$("${get[@]}" LDFLAGS)
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$cpp $cxx" -DCMAKE_EXE_LINKER_FLAGS="$ld" "$@"
  cmake --build "$dir"
}

# The version is the changelog's top entry, as configuring reads it. What a tagged release
# shipped stays: the changelog of each release this commit comes after must end this one,
# byte for byte (a tag from before there was a changelog has none to keep).
rm -rf build-release*
build build-release "$(dpkg --print-architecture)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-release/CMakeCache.txt)
[ "$(git rev-parse -q --verify "refs/tags/v$version^{commit}")" = "$(git rev-parse HEAD)" ] ||
  echo "release: no tag v$version on this commit; tag it before publishing (doc/release.md)" >&2
[ "$(git rev-parse --is-shallow-repository)" = false ] ||
  echo "release: a shallow clone: the changelogs of earlier releases are not checked" >&2
for tag in $(git tag -l --merged HEAD 'v[0-9]*'); do
  old=refs/tags/$tag:packaging/changelog
  git cat-file -e "$old" 2>/dev/null || continue
  tail -c "$(git cat-file -s "$old")" packaging/changelog | cmp -s - <(git cat-file blob "$old") ||
    die "packaging/changelog does not end with $tag's: leave released entries as they are"
done

rm -rf dist
mkdir dist
# cpack's DEB generator takes its time stamps from SOURCE_DATE_EPOCH.
(cd build-release && cpack -G DEB)
cp build-release/tally_*.deb dist/

# For any distribution, and for users without root: tally with the C library linked in, so
# it needs nothing installed, beside its page (plain: not every system reads .gz pages).
# One tarball per architecture: this machine's, and aarch64 cross-built elsewhere.
# static_tarball ARCH DEB-ARCH DIR CXX [cmake arguments]: dist/tally-<version>-ARCH-linux.tar.gz,
# built in DIR with the C++ compiler CXX.
static_tarball() {
  local arch=$1 dir=$3 cxx=$4 top stage libc pkg src
  build "$dir" "$2" -DTALLY_STATIC=ON "${@:5}"
  top=tally-$version-$arch-linux
  stage=$dir/stage
  cmake --install "$dir" --strip --prefix "$stage/root"
  mkdir "$stage/$top"
  cp "$stage/root/bin/tally" "$dir/tally.1" LICENSE "$stage/$top/"
  cp "$dir/README.linux" "$stage/$top/README"
  # The C library inside is glibc's, under the LGPL: its licence, its exact source (that of
  # the Debian package whose libc.a went in), and how to relink go with it. A cross
  # toolchain's package is built from another source package, which names the glibc it used.
  libc=$("$cxx" -print-file-name=libc.a)
  pkg=$(dpkg-query -S "$(realpath "$libc")" | sed -n '1s/[:,].*//p')
  [ -n "$pkg" ] || die "no Debian package holds $libc"
  src=$(dpkg-query -W -f='${Built-Using}' "$pkg" | sed -n 's/.*\bglibc (= \([^)]*\)).*/glibc=\1/p')
  [ -n "$src" ] || src=$(dpkg-query -W -f='${source:Package}=${source:Version}' "$pkg")
  cp /usr/share/common-licenses/LGPL-2.1 "$stage/$top/"
  cat >"$stage/$top/NOTICE" <<EOF
This tally has the GNU C Library linked in, as Debian's
$pkg $(dpkg-query -W -f='${Version}' "$pkg") builds it. glibc is under the GNU
Lesser General Public License 2.1: see LGPL-2.1 here. Its source:
\`apt-get source $src\`, or
https://snapshot.debian.org/package/${src%%=*}/${src#*=}/.
To relink tally with another C library, build it from its source,
tally-$version.tar.gz, published beside this tarball, with
-DTALLY_STATIC=ON (its doc/build.md says how).
EOF
  # Modes set here, not left to the checkout's umask; GNU tar keeps only the mtime.
  tar -C "$stage" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 \
    --numeric-owner --mode=u=rwX,go=rX --format=gnu -cf - "$top" | gzip -9n >"dist/$top.tar.gz"
}
static_tarball "$(uname -m)" "$(dpkg --print-architecture)" build-release-static g++
# The second architecture most users have, cross-built on any other machine.
if [ "$(uname -m)" != aarch64 ]; then
  static_tarball aarch64 arm64 build-release-static-aarch64 aarch64-linux-gnu-g++ \
    -DCMAKE_TOOLCHAIN_FILE=cmake/linux-cross.cmake -DTALLY_TRIPLE=aarch64-linux-gnu \
    -DCMAKE_CROSSCOMPILING_EMULATOR=
fi

# The Windows ZIP: a folder tally-<version>-win32 with bin/tally.exe, its readme, the licence
# and the page rendered for Windows, as text files with Windows line ends, each file stamped
# with the commit's time and zipped in name order; -X leaves out the owner, which differs from
# one builder to the next. The 32-bit exe runs on every x86 and x64 Windows.
cmake -S . -B build-release-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release-win32
top=tally-$version-win32 stage=build-release-win32/stage
cmake --install build-release-win32 --strip --prefix "$stage/$top"
crlf() { sed 's/$/\r/' "$@"; }
groff -man -Tascii -P-cbu -rwindows=1 build-release/tally.1 | crlf >"$stage/$top/tally.txt"
crlf build-release/README.windows >"$stage/$top/README.txt"
crlf LICENSE >"$stage/$top/LICENSE.txt"
(cd "$stage" && find "$top" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + &&
  find "$top" -type f | sort | zip -X -D -q "../../dist/$top.zip" -@)

# The source as the commit holds it, in one folder: what distributions package, and what
# the static tally's NOTICE sends users to for relinking. git archive stamps every file with
# the commit's time; the modes are pinned, so that no builder's git configuration moves them.
src=tally-$version
git -c tar.umask=0022 archive --format=tar --prefix="$src/" HEAD | gzip -9n >"dist/$src.tar.gz"

(cd dist && sha256sum -- *.deb *.tar.gz *.zip >SHA256SUMS)
echo "release: dist/ for commit $(git rev-parse --short HEAD):"
cat dist/SHA256SUMS
