#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz", clang) and runs each for a while from its seeds in
# fuzz/corpus/NAME/. Exits non-zero when any target finds anything: a property that does not
# hold, a sanitizer report, a leak, a timeout or running out of memory.
#
#   bash fuzz/run.sh [SECONDS] [NAME...]      (default: 60 seconds each, every target)
#
# Inputs that reach new code go to build/fuzz/corpus/NAME (kept between runs); an input that
# fails is saved in build/fuzz/artifacts/NAME/ and replays with: build/fuzz/fuzz/NAME FILE
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

declare -A executables
names=()
while read -r name executable; do
  executables[$name]=$executable
  names+=("$name")
done < build/fuzz/fuzz/targets.txt
[ $# -eq 0 ] || names=("$@")

failed=()
for name in "${names[@]}"; do
  executable=${executables[$name]:-}
  [ -n "$executable" ] || { echo "fuzz: no target $name" >&2; exit 2; }
  corpus=build/fuzz/corpus/$name
  artifacts=build/fuzz/artifacts/$name
  log=build/fuzz/logs/$name.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  echo "fuzz: $name for ${seconds}s"
  if UBSAN_OPTIONS=print_stacktrace=1 "$executable" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" | tr '\n' ' '
    echo "corpus: $(ls "$corpus" | wc -l) inputs"
  else
    tail -n 40 "$log"
    echo "fuzz: $name FAILED (log $log, inputs in $artifacts/)"
    failed+=("$name")
  fi
done

[ ${#failed[@]} -eq 0 ] || { echo "fuzz: findings in ${failed[*]}" >&2; exit 1; }
