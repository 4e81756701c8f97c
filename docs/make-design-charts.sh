#!/usr/bin/env bash
# Makes the pictures of the guide's worked example of a design under uncertainty and of the
# cheapest well field (docs/screenshots/design-*.png, optimise-front.png) with build/pumpfield-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${PUMPFIELD_CLI:-build/pumpfield-cli}")
shots=$(realpath docs/screenshots)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp Data/field-rectangular.inp "$work/field.inp"
cd "$work"
"$cli" design field.inp --uncertain Kb2=lognormal:8:1.5 \
  --uncertain R=triangular:0.0025:0.003:0.0036 --uncertain Kv2=uniform:1.5:3.5 \
  --required-depth 0.5 --plot "$shots/design-distribution.png" \
  --tornado "$shots/design-tornado.png"
"$cli" optimise field.inp --field 900x550 --required-depth 1.0 --well-cost 20000 \
  --energy-price 0.02 --years 20 --well-level 2:3.5 --plot "$shots/optimise-front.png"
