#!/usr/bin/env bash
# Runs the same batch of example inputs with -j1 and with -jN and prints both times and the
# speed-up; the reports of the two runs must be identical. Measure on an otherwise idle machine.
#   bench/batch-speedup.sh [N] [COPIES]   (N: default one per processor; COPIES of each example: 4)
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
cli=${PUMPFIELD_CLI:-build/pumpfield-cli}
jobs=${1:-$(nproc)}
copies=${2:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in $(seq "$copies"); do
  for input in Data/*.inp tests/fixtures/golden/*.inp; do
    cp "$input" "$work/$copy-$(basename "$input")"
  done
done

seconds() {
  local start end
  start=$(date +%s.%N)
  "$cli" run "$work"/*.inp -j "$1" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

one=$(seconds 1)
mkdir "$work/one"
cp "$work"/*.out "$work/one/"
many=$(seconds "$jobs")
for report in "$work"/one/*.out; do
  cmp -s "$report" "$work/$(basename "$report")" || { echo "reports differ: $report" >&2; exit 1; }
done
awk -v n="$(ls "$work"/one | wc -l)" -v one="$one" -v j="$jobs" -v many="$many" 'BEGIN {
  printf "%d runs: -j1 %.2f s, -j%d %.2f s, speed-up %.2fx, reports identical\n", n, one, j, many, one / many
}'
