#!/usr/bin/env bash
# Cross-builds the program's libraries for 64-bit Windows from Debian's source
# packages into a cache prefix reused between runs. Prints the prefix on stdout.
#
#   scripts/build-deps.sh            -> builds when missing, prints the prefix
#
# The prefix is keyed on the pinned versions, so a version change rebuilds.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)

# Pinned versions: apt-get source is all-or-nothing, so a version missing from
# the mirror fails the whole download; pin ones known to be there.
PNG_VERSION="1.6.39-2+deb12u5"
JPEG_VERSION="1:2.1.5-2"
ID3_VERSION="3.8.3-18"
GTEST_DIR="/usr/src/googletest"

key="png-${PNG_VERSION}_jpeg-${JPEG_VERSION#1:}_id3-${ID3_VERSION}_gtest-1.12.1_v1"
cache_root="${SLEEVORY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sleevory}"
prefix="$cache_root/deps-$key"

# Two builds on one machine (a run and a test in two clones) take turns: the
# second waits for the first and then finds the prefix complete.
mkdir -p "$cache_root"
exec 9>"$cache_root/.lock-$key"
flock 9

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

log() { echo "[deps] $*" >&2; }
jobs=$(nproc)
work="$cache_root/work-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work/src" "$prefix"

toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
cc=x86_64-w64-mingw32-gcc-posix
cxx=x86_64-w64-mingw32-g++-posix

fetch_sources() {
  local list=/etc/apt/sources.list.d/sleevory-deb-src.sources
  log "fetching Debian sources"
  # A temporary deb-src entry with the same mirrors, suites and key as the binary one.
  local base=/etc/apt/sources.list.d/debian.sources
  if [ -f "$base" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$base" | $SUDO tee "$list" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee "${list%.sources}.list" >/dev/null
  fi
  cleanup_sources() {
    $SUDO rm -f "$list" "${list%.sources}.list"
    $SUDO apt-get update -qq >/dev/null 2>&1 || true
  }
  trap cleanup_sources EXIT
  $SUDO apt-get update -qq >/dev/null
  (cd "$work/src" && apt-get source -qq --download-only \
      "libpng1.6=$PNG_VERSION" "libjpeg-turbo=$JPEG_VERSION" "id3lib3.8.3=$ID3_VERSION" >/dev/null 2>&1) \
    || { log "apt-get source failed (is a pinned version gone from the mirror?)"; exit 1; }
  cleanup_sources
  trap - EXIT
  (cd "$work/src" && for d in *.dsc; do dpkg-source -x --no-check "$d" >/dev/null; done)
}

build_cmake() {  # name source-dir extra-args...
  local name=$1 src=$2; shift 2
  log "building $name"
  cmake -S "$src" -B "$work/build-$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/$name.log" 2>&1
  cmake --build "$work/build-$name" -j "$jobs" >>"$work/$name.log" 2>&1
  cmake --install "$work/build-$name" >>"$work/$name.log" 2>&1
}

fetch_sources

# zlib comes from Debian's MinGW package as it is; copy it in so the prefix is whole.
mkdir -p "$prefix/include" "$prefix/lib"
cp /usr/x86_64-w64-mingw32/include/zlib.h /usr/x86_64-w64-mingw32/include/zconf.h "$prefix/include/"
cp /usr/x86_64-w64-mingw32/lib/libz.a "$prefix/lib/"

build_cmake libpng "$(ls -d "$work"/src/libpng1.6-*/)" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"

build_cmake libjpeg "$(ls -d "$work"/src/libjpeg-turbo-*/)" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=ON \
  -DCMAKE_ASM_NASM_COMPILER=nasm

log "building id3lib"
id3src=$(ls -d "$work"/src/id3lib3.8.3-*/)
(
  cd "$id3src"
  # As Debian's rules do: regenerate the autotools files.
  libtoolize -fc && aclocal && autoconf && automake --add-missing --copy
  # ID3LIB_LINKOPTION=1: static linking (the headers refuse WIN32 without it).
  # ac_cv_func_mkstemp=no: the mkstemp branch reopens a locked file on Windows
  # and silently fails to write tags.
  ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-shared --enable-static \
    CC=$cc CXX=$cxx CPPFLAGS="-DID3LIB_LINKOPTION=1 -I$prefix/include" LDFLAGS="-L$prefix/lib" \
    CXXFLAGS="-O2 -std=gnu++98" ac_cv_func_mkstemp=no
  make -j "$jobs"
  make install
) >"$work/id3lib.log" 2>&1 || { log "id3lib failed, see $work/id3lib.log"; tail -30 "$work/id3lib.log" >&2; exit 1; }

build_cmake googletest "$GTEST_DIR" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF

touch "$prefix/.complete"
rm -rf "$work"
log "done: $prefix"
echo "$prefix"
