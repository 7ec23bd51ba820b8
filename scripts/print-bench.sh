#!/usr/bin/env bash
# Times printing a finished label's whole page set to PDF against
# glabels-3-batch printing a CD label with a similar photo and text to PDF, in
# one run: the print command until the program is free again (the job
# spooled; goal: at most half of glabels' time), until the finished PDF is on
# disk (the queue included; goal: within 1.2x of glabels), the peak memory
# (goal: no more than glabels) and the size of the spooled job and the PDF,
# with every ratio. Never part of the tests.
#   scripts/print-bench.sh [runs]      runs: timed runs of each side (default 5)
# Env: SLEEVORY_BUILD_DIR (default build/), SLEEVORY_JOBS (build jobs, default 3),
#      BENCH_PICTURE (the photo's side in pixels, default 3000),
#      BENCH_LAYOUT (Single or Double, default Single).
#
# print_bench (bench/) runs under Wine in a prefix of its own, with a private
# CUPS server (tests/printing/private-cups.sh) whose default queue writes each
# job as PDF: it builds a single (or double) layout with a 20-track album and the photo as
# the background of every surface, prints every part direct (no dialog), and
# polls for the finished PDF. glabels-3-batch prints bench/data/cd-label.glabels
# (the photo, a title, an artist and a 20-track list on a CD label, one label a
# sheet) with as many sheets as print_bench's job has pages.
# Peak memory: the largest resident set of the process tree of one run
# (/usr/bin/time), Wine's own processes included.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
runs="${1:-5}"
picture="${BENCH_PICTURE:-3000}"
layout="${BENCH_LAYOUT:-Single}"

"$repo/scripts/install-packages.sh"
# glabels is only for this comparison, so it is installed here and not with
# the packages the build and the tests need.
if ! command -v glabels-3-batch >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends glabels
fi
for tool in glabels-3-batch convert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

deps=$("$repo/scripts/build-deps.sh")
cmake -S "$repo" -B "$build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DSLEEVORY_DEPS="$deps" >/dev/null
cmake --build "$build" -j "${SLEEVORY_JOBS:-3}" --target print_bench >/dev/null

work="$build/print-bench"
queue="$work/queue"
prefix="$build/wineprefix-printbench"
wine_env="$repo/cmake/wine-env.sh"
rm -rf "$work"
mkdir -p "$work/glabels"

# Wine reads its printers from CUPS when a program starts, so the queue comes
# first and the prefix is set up and used with it.
"$repo/tests/printing/private-cups.sh" start "$queue"
[ "$(cat "$queue/status")" = ready ] || { echo "no private print queue" >&2; exit 1; }
export CUPS_SERVER="$queue/cups.sock"
cleanup() {
  "$wine_env" "$prefix" cleanup || true
  "$repo/tests/printing/private-cups.sh" stop "$queue"
}
trap cleanup EXIT
"$wine_env" "$prefix" setup >/dev/null 2>&1

# Maximum resident set in MB from a /usr/bin/time -v report.
peak_mb() { awk -F: '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$1"; }

echo "== Sleevory: the whole page set, print command to finished PDF (print_bench under Wine) =="
queue_wine="Z:$(echo "$queue" | tr / '\\')"
(cd "$build/bench" && /usr/bin/time -v -o "$work/print_bench.time" \
  "$wine_env" "$prefix" run ./print_bench.exe --queue "$queue_wine" --runs "$runs" --picture "$picture" --layout "$layout") |
  tr -d '\r' | tee "$work/print_bench.txt" | grep -v '^RESULT'
result() { awk -v n="$1" '$1 == "RESULT" && $2 == "print" && $3 == n { print $4 }' "$work/print_bench.txt"; }
ours_ms=$(result total_ms)
pages=$(result pages)
[ -n "$ours_ms" ] && [ -n "$pages" ] || { echo "print_bench gave no result" >&2; exit 1; }
ours_peak=$(peak_mb "$work/print_bench.time")
ours_command=$(result command_ms)
ours_pdf=$(result pdf_bytes)
# The spooled job of the last run as the queue took it (lpstat's size column).
ours_job=$(lpstat -W completed -o 2>/dev/null | tail -n 1 | awk '{ print $3 }')

echo
echo "== glabels-3-batch: a CD label with a similar photo and text, $pages sheets to PDF =="
cp "$repo/bench/data/cd-label.glabels" "$work/glabels/"
(cd "$work/glabels" && convert -size "${picture}x${picture}" -seed 7 plasma:fractal -quality 90 photo.jpg)
times=()
for ((i = 0; i <= runs; i++)); do  # run 0 warms up
  rm -f "$work/glabels/out.pdf"
  start=$(date +%s%N)
  (cd "$work/glabels" && /usr/bin/time -v -o "$work/glabels.time.$i" \
    glabels-3-batch -s "$pages" -o out.pdf cd-label.glabels >/dev/null 2>&1)
  end=$(date +%s%N)
  [ -s "$work/glabels/out.pdf" ] || { echo "glabels-3-batch made no PDF" >&2; exit 1; }
  ms=$(((end - start) / 1000000))
  echo "  run $([ "$i" = 0 ] && echo warm || echo "$i"): ${ms} ms, $(stat -c %s "$work/glabels/out.pdf") bytes"
  [ "$i" = 0 ] || times+=("$ms")
done
theirs_ms=$(printf '%s\n' "${times[@]}" | sort -n |
  awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.1f", m }')
theirs_peak=$(for f in "$work"/glabels.time.*; do peak_mb "$f"; echo; done | sort -n | tail -1)

echo
echo "== Result =="
theirs_pdf=$(stat -c %s "$work/glabels/out.pdf")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a != "" && b > 0) printf "x%.2f", a / b; else print "-" }'; }
verdict() { awk -v a="$1" -v b="$2" -v g="$3" 'BEGIN { if (a == "" || b <= 0) print "-"; else print (a / b <= g) ? "goal met" : "goal missed" }'; }
mb() { awk -v b="$1" 'BEGIN { if (b == "") print "-"; else printf "%.1f MB", b / 1048576 }'; }
printf '  %-40s %14s %16s %8s  %s\n' "" "Sleevory" "glabels-3-batch" "ratio" "goal"
printf '  %-40s %11.1f ms %13.1f ms %8s  %s\n' "print command, until the program is free" "$ours_command" "$theirs_ms" \
  "$(ratio "$ours_command" "$theirs_ms")" "at most x0.5: $(verdict "$ours_command" "$theirs_ms" 0.5)"
printf '  %-40s %11.1f ms %13.1f ms %8s  %s\n' "until the PDF is on disk" "$ours_ms" "$theirs_ms" \
  "$(ratio "$ours_ms" "$theirs_ms")" "within x1.2: $(verdict "$ours_ms" "$theirs_ms" 1.2)"
printf '  %-40s %11.1f MB %13.1f MB %8s  %s\n' "peak memory (largest process)" "$ours_peak" "$theirs_peak" \
  "$(ratio "$ours_peak" "$theirs_peak")" "at most x1.0: $(verdict "$ours_peak" "$theirs_peak" 1.0)"
printf '  %-40s %14s %16s %8s\n' "spooled job / glabels' PDF" "$(mb "$ours_job")" "$(mb "$theirs_pdf")" \
  "$(ratio "$ours_job" "$theirs_pdf")"
printf '  %-40s %14s %16s %8s\n' "PDF on disk" "$(mb "$ours_pdf")" "$(mb "$theirs_pdf")" "$(ratio "$ours_pdf" "$theirs_pdf")"
echo "  (medians of $runs runs; glabels-3-batch's time is its whole run, which ends with its PDF written;"
echo "   other work on the machine slows both sides alike, so the ratios hold better than the times)"
echo "RESULT print-bench command_ratio $(ratio "$ours_command" "$theirs_ms" | tr -d x)"
echo "RESULT print-bench pdf_ratio $(ratio "$ours_ms" "$theirs_ms" | tr -d x)"
echo "RESULT print-bench memory_ratio $(ratio "$ours_peak" "$theirs_peak" | tr -d x)"
