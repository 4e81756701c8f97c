#!/usr/bin/env bash
# Runs a batch and a sweep with -j1 and with -jN and prints, for each, the wall-clock times, the
# speed-up and the processor time; the reports and the tables of the two runs must be identical.
# Measure on an otherwise idle machine (see `uptime`): other work on the processors lowers the
# speed-up, never the processor time.
#   bench/threads-speedup.sh [N] [COPIES]   (N: default one per processor; COPIES of each
#                                            example in the batch: 4)
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
cli=${PUMPFIELD_CLI:-build/pumpfield-cli}
jobs=${1:-$(nproc)}
copies=${2:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/batch"
for copy in $(seq "$copies"); do
  for input in Data/*.inp tests/fixtures/golden/*.inp; do
    cp "$input" "$work/batch/$copy-$(basename "$input")"
  done
done
cp Data/spacing-loam-over-sand.inp "$work/sweep.inp"

# Wall-clock, user and system seconds of a command, its output to $work/last.
measure() {
  local TIMEFORMAT="%R %U %S"
  { time "$@" >"$work/last" 2>/dev/null; } 2>&1
}

report() { # NAME ONE MANY
  awk -v name="$1" -v one="$2" -v many="$3" -v j="$jobs" 'BEGIN {
    split(one, a, " "); split(many, b, " ")
    printf "%s: -j1 %.2f s, -j%d %.2f s, speed-up %.2fx; processor time %.2f s and %.2f s\n",
      name, a[1], j, b[1], a[1] / b[1], a[2] + a[3], b[2] + b[3]
  }'
}

runs=$(ls "$work"/batch/*.inp | wc -l)
one=$(measure "$cli" run "$work"/batch/*.inp -j 1)
mkdir "$work/one"
cp "$work"/batch/*.out "$work/one/"
many=$(measure "$cli" run "$work"/batch/*.inp -j "$jobs")
for report in "$work"/one/*.out; do
  cmp -s "$report" "$work/batch/$(basename "$report")" || { echo "reports differ: $report" >&2; exit 1; }
done
report "batch of $runs runs, reports identical" "$one" "$many"

vary=(--vary Kb2=2:12:8 --vary Dm=1,1.5,2)
one=$(measure "$cli" sweep "$work/sweep.inp" "${vary[@]}" -j 1)
cp "$work/last" "$work/table-one.csv"
many=$(measure "$cli" sweep "$work/sweep.inp" "${vary[@]}" -j "$jobs")
cmp -s "$work/last" "$work/table-one.csv" || { echo "sweep tables differ" >&2; exit 1; }
report "sweep of 24 points, tables identical" "$one" "$many"
