#!/usr/bin/env bash
# A design of the spacing example with SAMPLES samples (1000) at -jN (2) against SAMPLES lone
# runs of the same file divided by N: prints both wall-clock times, their ratio (the target is at
# most 1.1) and the processor times. A lone run is the median of 5 runs of the file. Measure on
# an otherwise idle machine (see `uptime`): other work lowers the speed-up, not the processor time.
#   bench/design-speed.sh [SAMPLES] [N]
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
cli=$(realpath "${PUMPFIELD_CLI:-build/pumpfield-cli}")
samples=${1:-1000}
jobs=${2:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp Data/spacing-loam-over-sand.inp "$work/case.inp"
cd "$work"

measure() { # wall-clock, user and system seconds
  local TIMEFORMAT="%R %U %S"
  { time "$@" >/dev/null 2>&1; } 2>&1
}

lone=$(for i in 1 2 3 4 5; do measure "$cli" run case.inp; done | sort -n | sed -n 3p)
design=$(measure "$cli" design case.inp --uncertain Kb2=lognormal:8:1.3 \
  --uncertain R=uniform:0.0025:0.0035 --samples "$samples" -j "$jobs")
awk -v lone="$lone" -v design="$design" -v n="$samples" -v j="$jobs" 'BEGIN {
  split(lone, a, " "); split(design, b, " ")
  ideal = n * a[1] / j
  printf "lone run %.3f s (processor %.3f s); %d lone runs / %d = %.1f s\n", a[1], a[2] + a[3], n, j, ideal
  printf "design of %d samples at -j%d: %.1f s (processor %.1f s); ratio %.3f (target <= 1.1)\n",
    n, j, b[1], b[2] + b[3], b[1] / ideal
  printf "processor time per sample against a lone run: %.3f\n", (b[2] + b[3]) / n / (a[2] + a[3])
}'
