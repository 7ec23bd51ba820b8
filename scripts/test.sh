#!/usr/bin/env bash
# Installs, builds and runs every test through CTest under Wine, then the fuzz
# targets (scripts/fuzz.sh).
#   scripts/test.sh [--xvfb] [ctest arguments...]
# --xvfb runs the tests on a private Xvfb display instead of Wine's null display driver.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"

use_xvfb=0
if [ "${1:-}" = "--xvfb" ]; then use_xvfb=1; shift; fi

"$repo/scripts/build.sh"

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ $use_xvfb -eq 1 ]; then
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  export SLEEVORY_TEST_DISPLAY=":$n"
fi

cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@" 2>&1 | tee "$build/ctest-output.log"

# Then the host-built fuzz targets, each for FUZZ_SECONDS seconds (0 skips them).
# CTest's summary is repeated last, as the run's closing line.
"$repo/scripts/fuzz.sh"
grep -E '^[0-9]+% tests passed' "$build/ctest-output.log" | tail -n 1 || true
