#!/usr/bin/env bash
# Regenerates the example reports in Data/ and the golden reports in tests/fixtures/golden/ with
# the command-line runner of build/ (or the one named by PUMPFIELD_CLI). Each input is run in a
# scratch folder; the reports' two file-name lines (13 and 14) and the inputs' "File Name:" line
# then name a neutral folder instead of a folder of this machine: the folder the examples are
# installed to, /usr/share/pumpfield/Data, and for the golden cases their place in the source
# tree under /pumpfield.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${PUMPFIELD_CLI:-build/pumpfield-cli}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

regenerate() { # FOLDER NEUTRAL_FOLDER
  local folder=$1 neutral=$2 input name report
  for input in "$folder"/*.inp; do
    name=$(basename "$input")
    report=${name%.inp}.out
    sed "3s|^File Name: .*|File Name: $neutral/$name\r|" "$input" >"$scratch/$name"
    (cd "$scratch" && "$cli" run "$name" >/dev/null)
    sed "13,14s|$scratch/|$neutral/|" "$scratch/$report" >"$folder/$report"
    cp "$scratch/$name" "$input"
    rm "$scratch/$name" "$scratch/$report"
    echo "$input -> $folder/$report"
  done
}

regenerate Data /usr/share/pumpfield/Data
regenerate tests/fixtures/golden /pumpfield/tests/fixtures/golden
