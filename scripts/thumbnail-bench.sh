#!/usr/bin/env bash
# Times the Images pane's thumbnails against ImageMagick's on the same folder
# of photos, made here: THUMB_COUNT pictures (default 500), JPEGs of
# THUMB_SIZE (default 4000x3000, quality 90) and every tenth a PNG of a
# quarter of that size. Four distinct photo-like pictures are made and copied,
# so the folder is ready in seconds. Never part of the tests.
#   scripts/thumbnail-bench.sh
# Env: SLEEVORY_BUILD_DIR (default build/), THUMB_COUNT, THUMB_SIZE.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
count="${THUMB_COUNT:-500}"
size="${THUMB_SIZE:-4000x3000}"
width=${size%x*}
height=${size#*x}

cmake --build "$build" -j "${SLEEVORY_JOBS:-3}" --target thumbnail_bench >/dev/null
work="$build/thumbnail-bench"
rm -rf "$work"
mkdir -p "$work/photos" "$work/magick"
for n in 0 1 2 3; do
  convert -size "$((width / 4))x$((height / 4))" plasma:fractal -seed "$n" -resize "${width}x${height}!" \
    -attenuate 0.3 +noise Gaussian -quality 90 -sampling-factor 2x2 "$work/base$n.jpg"
  convert "$work/base$n.jpg" -resize 50% "$work/base$n.png"
done
for ((i = 0; i < count; i++)); do
  n=$((i % 4))
  if ((i % 10 == 9)); then
    cp "$work/base$n.png" "$work/photos/p$(printf %04d "$i").png"
  else
    cp "$work/base$n.jpg" "$work/photos/p$(printf %04d "$i").jpg"
  fi
done

prefix="$build/wineprefix"
wine_env="$repo/cmake/wine-env.sh"
"$wine_env" "$prefix" setup
trap '"$wine_env" "$prefix" cleanup' EXIT

echo "== Images pane (thumbnail_bench under Wine), $count pictures of $size =="
results=$(cd "$work" && "$wine_env" "$prefix" run "$build/bench/thumbnail_bench.exe" photos 8 | tr -d '\r')
echo "$results"
all=$(echo "$results" | awk '$2 == "all" {print $3}')

echo "== ImageMagick: convert -thumbnail 125x125 over the same files =="
start=$(date +%s%N)
for f in "$work"/photos/*; do
  convert "$f" -thumbnail 125x125 "$work/magick/$(basename "$f").bmp"
done
magick=$((($(date +%s%N) - start) / 1000000))
echo "RESULT imagemagick-all $magick"
awk -v a="$all" -v m="$magick" 'BEGIN { printf "ratio all thumbnails, Images pane / ImageMagick: %.2f\n", a / m }'
