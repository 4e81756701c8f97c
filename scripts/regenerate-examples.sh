#!/usr/bin/env bash
# Regenerates the example reports in Data/ with the command-line runner of build/ (or the one
# named by PUMPFIELD_CLI). Each input is run in a scratch folder; the reports' two file-name
# lines (13 and 14) and the inputs' "File Name:" line then name the folder the examples are
# installed to, /usr/share/pumpfield/Data, instead of a folder of this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
installed=/usr/share/pumpfield/Data
cli=$(realpath "${PUMPFIELD_CLI:-build/pumpfield-cli}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for input in Data/*.inp; do
  name=$(basename "$input")
  report=${name%.inp}.out
  sed "3s|^File Name: .*|File Name: $installed/$name\r|" "$input" >"$scratch/$name"
  (cd "$scratch" && "$cli" run "$name" >/dev/null)
  sed "13,14s|$scratch/|$installed/|" "$scratch/$report" >"Data/$report"
  cp "$scratch/$name" "$input"
  echo "$input -> Data/$report"
done
