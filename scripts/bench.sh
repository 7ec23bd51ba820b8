#!/usr/bin/env bash
# Times the program's image codecs against libjpeg-turbo's djpeg/cjpeg and
# ImageMagick's convert on the same files, in one run, and prints medians and
# ratios; then times the label view's drawing; then measures the running
# program's CPU at rest. Never part of the tests.
#   scripts/bench.sh [--view-only | --idle-only] [runs]
#     runs: of every measurement (default 5 for the codecs, 9 for the view);
#     --view-only runs only the view, --idle-only only the program at rest.
# Env: SLEEVORY_BUILD_DIR (default build/), BENCH_SIZE (default 4000x3000).
#
# codec_bench (bench/) runs under Wine: it makes a photo-like 12-megapixel
# picture, writes it as photo.bmp, photo.jpg and photo.png, and times its own
# encoding and decoding. The host tools then read and write the same files.
# Encoders work from what each reads fastest: cjpeg from photo.bmp (its time
# includes reading that), convert from its own memory-mapped cache (.mpc).
# The same settings on every side: JPEG quality 75 with 2x2 chroma
# subsampling and the integer transform; PNG at zlib level 6, adaptive filters.
#
# view_bench (bench/) runs under Wine too: it builds a single and a double
# layout on the built-in label papers with a 20-track album and a large
# background photo, and times the surface redraws with filled and with empty
# text-layout caches, the zoom commands and the paint routine, against two
# goals (see bench/ViewBench.cpp), and a drag at the largest zoom.
#
# bench/idle-cpu.sh starts the program on a private Xvfb display with a label,
# selects a text by a click and then only the page, and reads the CPU time of
# the program and its Wine server over 15 s each (IDLE_SECONDS).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
view_only=0
idle_only=0
if [ "${1:-}" = "--view-only" ]; then
  view_only=1
  shift
elif [ "${1:-}" = "--idle-only" ]; then
  idle_only=1
  shift
fi
runs="${1:-5}"
view_runs="${1:-9}"
size="${BENCH_SIZE:-4000x3000}"

"$repo/scripts/install-packages.sh"
deps=$("$repo/scripts/build-deps.sh")
cmake -S "$repo" -B "$build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DSLEEVORY_DEPS="$deps" >/dev/null
targets=()
[ "$idle_only" = 1 ] || targets+=(view_bench)
[ "$view_only" = 1 ] || [ "$idle_only" = 1 ] || targets+=(codec_bench)
[ "$view_only" = 1 ] || targets+=(Sleevory bench_document)
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" >/dev/null

if [ "$view_only" = 0 ] && [ "$idle_only" = 0 ]; then
  for tool in djpeg cjpeg convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-packages.sh installs it)" >&2; exit 1; }
  done
fi

work="$build/bench-files"
rm -rf "$work"
mkdir -p "$work"
prefix="$build/wineprefix"
wine_env="$repo/cmake/wine-env.sh"
"$wine_env" "$prefix" setup
trap '"$wine_env" "$prefix" cleanup' EXIT

# The codecs against the other tools, on the same files.
codec_section() {
  echo "== Sleevory's codecs (codec_bench under Wine) =="
  (cd "$work" && "$wine_env" "$prefix" run "$build/bench/codec_bench.exe" --runs "$runs" --size "$size" --bench .) |
    tr -d '\r' | tee "$work/codec_bench.txt" | grep -v '^RESULT'

  result() {  # format operation -> median ms, or empty
    awk -v f="$1" -v o="$2" '$1 == "RESULT" && $2 == f && $3 == o { print $4 }' "$work/codec_bench.txt"
  }
  result_extra() {  # format operation -> bytes (encode) or crc (decode)
    awk -v f="$1" -v o="$2" '$1 == "RESULT" && $2 == f && $3 == o { print $5 }' "$work/codec_bench.txt"
  }

  # Median wall time in ms of `runs` runs of a command.
  median_ms() {
    local times=() start end
    for ((i = 0; i < runs; i++)); do
      start=$(date +%s%N)
      "$@" >/dev/null 2>&1 || true
      end=$(date +%s%N)
      times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
  }

  # ImageMagick's decode of a file as rows of red, green, blue: its CRC-32 (the
  # gzip trailer holds it), to compare with codec_bench's.
  imagemagick_crc() {
    convert "$1" -depth 8 rgb:- | gzip -1 -c | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' \n'
  }

  cd "$work"
  convert photo.bmp photo.mpc

  echo
  echo "== Other tools on the same files (median of $runs runs, wall time incl. start-up) =="
  declare -A tool_ms
  tool_ms[jpeg_decode_djpeg]=$(median_ms djpeg -outfile /dev/null photo.jpg)
  tool_ms[jpeg_encode_cjpeg]=$(median_ms cjpeg -quality 75 -sample 2x2 -dct int -outfile cjpeg.jpg photo.bmp)
  tool_ms[jpeg_decode_convert]=$(median_ms convert photo.jpg null:)
  tool_ms[jpeg_encode_convert]=$(median_ms convert photo.mpc -quality 75 -sampling-factor 2x2 -define jpeg:dct-method=islow im.jpg)
  tool_ms[png_decode_convert]=$(median_ms convert photo.png null:)
  tool_ms[png_encode_convert]=$(median_ms convert photo.mpc -quality 65 im.png)
  tool_ms[bmp_decode_convert]=$(median_ms convert photo.bmp null:)
  tool_ms[bmp_encode_convert]=$(median_ms convert photo.mpc BMP3:im.bmp)
  # Start-up alone, to read the small times by.
  startup_convert=$(median_ms convert -size 1x1 xc:black null:)
  startup_djpeg=$(median_ms djpeg -version)

  ratio() {  # ours theirs -> ours / theirs
    if [ -z "$1" ] || [ -z "$2" ]; then echo "-"; return; fi
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'
  }

  echo
  printf '%-12s %12s %12s %12s %10s %10s\n' "" "Sleevory ms" "djpeg/cjpeg" "convert ms" "/libjpeg" "/convert"
  for format in jpeg png bmp; do
    for operation in decode encode; do
      ours=$(result "$format" "$operation")
      libjpeg=""
      if [ "$format" = jpeg ]; then
        [ "$operation" = decode ] && libjpeg=${tool_ms[jpeg_decode_djpeg]} || libjpeg=${tool_ms[jpeg_encode_cjpeg]}
      fi
      theirs=${tool_ms[${format}_${operation}_convert]}
      [ -n "$ours" ] && ours=$(printf '%.1f' "$ours")
      printf '%-12s %12s %12s %12s %10s %10s\n' "$format $operation" "${ours:-skipped}" "${libjpeg:--}" "$theirs" \
        "$(ratio "$ours" "$libjpeg")" "$(ratio "$ours" "$theirs")"
    done
  done
  echo "(start-up alone: convert ${startup_convert} ms, djpeg ${startup_djpeg} ms; ratios above 1 mean Sleevory is slower)"

  echo
  echo "== Same pixels as ImageMagick? (CRC-32 of the decoded rows) =="
  for pair in bmp:photo.bmp jpeg:photo.jpg png:photo.png; do
    format=${pair%%:*}
    file=${pair#*:}
    ours=$(result_extra "$format" decode)
    [ -n "$ours" ] || { echo "$format: skipped"; continue; }
    theirs=$(imagemagick_crc "$file")
    if [ "$ours" = "$theirs" ]; then echo "$file: same ($ours)"; else echo "$file: differs (Sleevory $ours, ImageMagick $theirs)"; fi
  done
  echo
  echo "Sizes: $(for f in photo.jpg cjpeg.jpg im.jpg photo.png im.png; do printf '%s %s  ' "$f" "$(stat -c %s "$f")"; done)"
}

# The label view: its own table, goals and RESULT lines.
view_section() {
  echo "== Label view (view_bench under Wine) =="
  (cd "$work" && "$wine_env" "$prefix" run "$build/bench/view_bench.exe" --runs "$view_runs") |
    tr -d '\r' | tee "$work/view_bench.txt" | grep -v '^RESULT'
}

if [ "$idle_only" = 1 ]; then
  "$repo/bench/idle-cpu.sh" "${IDLE_SECONDS:-15}"
  exit
fi
if [ "$view_only" = 0 ]; then
  codec_section
  echo
fi
view_section
if [ "$view_only" = 0 ]; then
  echo
  "$repo/bench/idle-cpu.sh" "${IDLE_SECONDS:-15}"
fi
