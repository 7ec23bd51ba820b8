#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ for the host (clang, libFuzzer, ASan, UBSan)
# into build-fuzz/ (or $SLEEVORY_FUZZ_DIR) and runs each one for $FUZZ_SECONDS
# seconds (default 60; 0 skips fuzzing), all at once, from a corpus seeded with
# its fixtures in tests/data/images (or a sibling folder such as
# tests/data/cddb, named by a glob like ../cddb/*.xmcd; and the album-source
# files that tests/cdsource/make_fixtures.sh makes with other tools) and every crash input kept in
# tests/data/images/fuzz-regressions/<target>/. Fails when a target crashes,
# leaks, runs out of memory or time, or finds undefined behaviour; the input
# that did it is left in build-fuzz/crashes/.
#   scripts/fuzz.sh [target...]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_FUZZ_DIR:-$repo/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
if [ "$seconds" = 0 ]; then
  echo "fuzz: skipped (FUZZ_SECONDS=0)"
  exit 0
fi

cmake -S "$repo/fuzz" -B "$build" -G "Unix Makefiles" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

seeds_dir="$repo/tests/data/images"
album_seeds="$build/seeds/cdsource"
if [ ! -f "$album_seeds/mp3/expected.txt" ]; then
  "$repo/tests/cdsource/make_fixtures.sh" "$album_seeds" >/dev/null
fi
regressions_dir="$seeds_dir/fuzz-regressions"
mkdir -p "$build/crashes" "$build/logs"

pids=()
names=()
while read -r name globs; do
  [ -n "$name" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  # Fixtures and earlier crash inputs start the corpus; libFuzzer adds its own finds.
  for glob in $globs; do
    for seed in "$seeds_dir"/$glob "$album_seeds"/*/$glob; do [ -f "$seed" ] && cp -f "$seed" "$corpus/"; done
  done
  if [ -d "$regressions_dir/$name" ]; then
    cp -f "$regressions_dir/$name"/* "$corpus/" 2>/dev/null || true
  fi
  "$build/fuzz_$name" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/crashes/$name-" \
    >"$build/logs/$name.log" 2>&1 &
  pids+=($!)
  names+=("$name")
done <"$build/fuzz-targets.txt"

failed=0
for i in "${!pids[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$name.log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz_$name: no crash in ${seconds} s ($runs runs)"
  else
    failed=$((failed + 1))
    echo "fuzz_$name: FAILED; its log:"
    grep -v '^#[0-9]' "$build/logs/$name.log" | tail -n 60
    ls "$build/crashes/$name-"* 2>/dev/null | sed 's/^/  input: /'
  fi
done
echo "fuzz: ${#names[@]} targets, $failed failed"
[ $failed -eq 0 ]
