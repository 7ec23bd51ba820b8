#!/usr/bin/env bash
# Runs the seeded monkey on the running program for longer than CI does: each
# seed for $SLEEVORY_MONKEY_STEPS steps (default 1000), in the tests' Wine
# prefix of build/ (or $SLEEVORY_BUILD_DIR), which scripts/build.sh made.
# Prints the figures of each run (steps, saves, undo rounds, faults) and
# fails when a run found a fault. A fault names its step and action; the same
# seed and step count repeat the run step for step.
#   scripts/monkey.sh [seed...]        (default seeds: 1 2 3)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
export SLEEVORY_MONKEY_STEPS="${SLEEVORY_MONKEY_STEPS:-1000}"
# A long run is not a hung test.
export SLEEVORY_TEST_TIME_LIMIT="${SLEEVORY_TEST_TIME_LIMIT:-36000}"
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2 3)

wine_env="$repo/cmake/wine-env.sh"
prefix="$build/wineprefix"
"$wine_env" "$prefix" setup
trap '"$wine_env" "$prefix" cleanup' EXIT

failed=0
cd "$build/tests"
for seed in "${seeds[@]}"; do
  start=$(date +%s)
  log="$build/monkey-$seed.log"
  if SLEEVORY_MONKEY_SEED="$seed" "$wine_env" "$prefix" run ./robust_tests.exe --gtest_filter='Monkey.*' --gtest_also_run_disabled_tests \
      >"$log" 2>&1; then
    result="passed"
  else
    result="FAILED (see $log)"
    failed=$((failed + 1))
  fi
  figures=$(grep -o 'monkey: .*' "$log" | tail -n 1 || true)
  echo "${figures:-monkey: seed $seed, no figures} in $(( $(date +%s) - start )) s: $result"
  grep -E '^ *step [0-9]+ \(' "$log" | sed 's/^/  /' || true
done
[ $failed -eq 0 ]
