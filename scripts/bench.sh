#!/usr/bin/env bash
# Builds a Release tree and runs every benchmark in it, then prints every goal line of every
# program as one table. The figures are medians of ratios paired round by round (see
# bench/ratio_reporter.h); CI runs no benchmark and never fails on speed.
#
#   scripts/bench.sh [benchmark program name ...]     (default: every program in bench/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-rel}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "${BENCH_JOBS:-4}"

if [ $# -gt 0 ]; then
  programs=("$@")
else
  programs=()
  for source in bench/*_bench.cpp; do programs+=("$(basename "$source" .cpp)"); done
fi

table=$(mktemp)
trap 'rm -f "$table"' EXIT
for program in "${programs[@]}"; do
  echo "== $program"
  output=$("$build/bench/$program" --benchmark_color=false 2>&1) || {
    echo "$output"
    echo "$program failed" >&2
    exit 1
  }
  echo "$output"
  # The goal lines are the program's last lines: "<name>: median X (min–max), goal <= Y: met".
  grep -E ', goal <= [0-9.]+: (met|NOT met)$' <<<"$output" | awk -v p="$program" '{ printf "%-20s %s\n", p, $0 }' >>"$table" || true
done

echo
echo "Goals (median of paired rounds, min–max):"
cat "$table"
