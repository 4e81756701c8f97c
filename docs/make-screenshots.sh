#!/usr/bin/env bash
# Makes the user guide's screenshots (docs/screenshots/*.png) with the desktop program of
# build/ in a virtual display: the Intro sheet, an example opened on the Input sheet with a field's
# hint, the question before changes are lost, its report on the Output sheet, its graph on the
# Graphics sheet, the user guide's window, a run in progress, and the Design sheet after a design
# and after the search for the cheapest well field. Run it again when the window changes.
# Needs xvfb, openbox, xdotool, x11-utils and imagemagick (scripts/install-deps.sh installs them).
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
# Settings of a session of its own: the dialogs start in the working folder.
export XDG_CONFIG_HOME="$work/config"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

cp Data/spacing-loam-over-sand.inp Data/spacing-loam-over-sand.out Data/field-rectangular.inp "$work"
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
# The screen around the window and what it opened over it (a hint, a question), `$2` pixels more
# to the right.
area() {
  local x y w h
  x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$window" | sed -n 's/.*Width: *//p')
  h=$(xwininfo -id "$window" | sed -n 's/.*Height: *//p')
  import -window root -crop "$((w + ${2:-0}))x${h}+${x}+${y}" +repage "$shots/$1.png"
  echo "docs/screenshots/$1.png"
}
# Answers the file dialog that is open with a name in the working folder.
choose() { sleep 1; xdotool type --delay 15 "$1"; xdotool key Return; sleep 1.5; }

shot intro
xdotool key ctrl+i
choose spacing-loam-over-sand.inp
shot input
xdotool mousemove --window "$window" 560 189 # the field of R
sleep 2.5
area hint 240
xdotool mousemove --window "$window" 0 0
click 300 95 0.5 # Title1
xdotool key ctrl+a
xdotool type --delay 15 "Polder De Kolk, loam over sand, wells deeper"
xdotool key ctrl+x
sleep 1.5
area unsaved
xdotool key Escape
sleep 1
xdotool key ctrl+o
choose spacing-loam-over-sand.out
shot output
click 421 528 2 # "See graph"
shot graphics
xdotool key F1
sleep 2
guide=$(xdotool search --name "^Pumpfield user guide$" | head -n 1)
import -window "$guide" "$shots/guide.png"
echo "docs/screenshots/guide.png"
xdotool key Escape
xdotool windowactivate --sync "$window"
sleep 0.5
click 157 34 # the Input sheet
xdotool key ctrl+s
choose spacing-loam-over-sand.inp
xdotool key alt+y # overwrite
sleep 1
xdotool key Return # calculate
sleep 2.5
shot running
sleep 5
xdotool key Return # the announcement
sleep 1

# Fills in a field of the Design sheet at a point of the window.
fill() { xdotool mousemove --window "$window" "$1" "$2" click --repeat 3 1; xdotool type --delay 15 "$3"; }
click 379 34 # the Design sheet
click 79 86 0.5 # the first uncertain input
xdotool type --delay 15 Kb2
xdotool key Return
click 309 86 0.3
click 309 86 0.3
xdotool type --delay 15 "6:10"
xdotool key Return
fill 553 66 20
click 430 125 6 # Run
shot design-sheet
xdotool key ctrl+i
choose field-rectangular.inp
click 379 34
click 79 86 0.5
xdotool type --delay 15 Kb2
xdotool key Return
fill 553 122 1.0
fill 553 150 900
fill 664 150 550
fill 553 178 2
fill 664 178 3.5
fill 553 206 20000
fill 553 234 0.02
fill 664 234 20
click 79 86 0.5 # no uncertain input: the search of the worked example
xdotool key Home Return
click 497 265 8 # Optimise
shot design-optimise
