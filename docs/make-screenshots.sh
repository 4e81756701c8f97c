#!/usr/bin/env bash
# Makes the user guide's screenshots (docs/screenshots/*.png) with the desktop program of
# build/ in a virtual display: the Intro sheet, an example opened on the Input sheet, its report
# on the Output sheet and its graph on the Graphics sheet. Run it again when the window changes.
# Needs xvfb, openbox, xdotool and imagemagick (scripts/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${PUMPFIELD:-build/pumpfield}")
shots=$(realpath docs/screenshots)
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
  kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

cp Data/spacing-loam-over-sand.inp Data/spacing-loam-over-sand.out "$work"
(cd "$work" && LC_ALL=C.UTF-8 "$program" >/dev/null 2>&1) &
app=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name "^Pumpfield, subsurface" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window"
sleep 0.5

# Clicks at a point of the window's client area.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep "${3:-1}"; }
shot() { import -window "$window" "$shots/$1.png"; echo "docs/screenshots/$1.png"; }
# Answers the file dialog that is open with a name in the working folder.
choose() { sleep 1; xdotool type --delay 15 "$1"; xdotool key Return; sleep 1.5; }

shot intro
xdotool key ctrl+i
choose spacing-loam-over-sand.inp
shot input
xdotool key ctrl+o
choose spacing-loam-over-sand.out
shot output
click 421 528 2 # "See graph"
shot graphics
