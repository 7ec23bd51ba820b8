#!/usr/bin/env bash
# Installs what is missing, cross-builds the libraries (cached) and builds the
# program and its tests into build/ (or $SLEEVORY_BUILD_DIR).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"

"$repo/scripts/install-packages.sh"
deps=$("$repo/scripts/build-deps.sh")

# ccache keeps compiled objects between build folders and clean rebuilds; paths
# are taken relative to the checkout so that other checkouts share them.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$repo"
  # Debug info names the build folder; leave it out of the key so that other
  # checkouts of the same sources hit the same objects.
  export CCACHE_NOHASHDIR=true
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$repo" -B "$build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DSLEEVORY_DEPS="$deps" "${launcher[@]}" >/dev/null
cmake --build "$build" -j "${SLEEVORY_JOBS:-$(nproc)}"
