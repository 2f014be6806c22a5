#!/usr/bin/env bash
# Runs the game in a real X window on a private 1920x1080 Xvfb display, lets
# it ask for full screen, and reports the X screen's size and the game
# window's geometry. Then, with a saved game waiting, clicks with the
# physical pointer at where "Start from the beginning" of the Continue menu
# shows on the screen, until the game has taken that choice (the saved game
# is gone), and reports how long it took. Optionally saves screenshots.
# Usage: real_fullscreen.sh GAME OUTPUT [SHOT_DIR]. Writes only "SKIP" to
# OUTPUT when Xvfb, xdotool or xwininfo is missing.
set -u
game="$1"; out="$2"; shots="${3:-}"
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v xwininfo >/dev/null; then
  echo SKIP >"$out"
  exit 0
fi
work="$(mktemp -d)"
source "$(dirname "$0")/../../tools/private_xvfb.sh"
start_private_xvfb 1920x1080
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  sleep 0.5
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
shot() { [ -n "$shots" ] && mkdir -p "$shots" && import -window root "$shots/$1.png"; }
root_size() { xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
echo "screen before $(root_size)" >"$out"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" TMPDIR="$work/" SDL_AUDIODRIVER=dummy

# A copy of the game of its own, which keeps its progress beside itself, and
# a saved game to continue: a few choices made in terminal mode.
copy_game "$(dirname "$game")" "$work/game"
game="$work/game/marlowick"
autosave="$("$game" --help | sed -n 's/^Progress is kept in //p')autosave.ini"
yes 1 | head -40 | timeout 120 "$game" --text --new-game >"$work/text.txt" 2>&1
[ -f "$autosave" ] || { echo "no saved game made: $(tail -3 "$work/text.txt")" >>"$out"; exit 1; }

# The game's pointer starts where the physical one is: the screen's centre.
xdotool mousemove 960 540
SDL_VIDEODRIVER=x11 "$game" --fullscreen >>"$out" 2>&1 &
game_pid=$!
win=""
for _ in $(seq 1 600); do
  grep -q "Init OK" "$out" && break
  kill -0 "$game_pid" 2>/dev/null || exit 1
  sleep 0.1
  # Answer the software-renderer warning box, which sits above the game window.
  [ -n "$win" ] || win=$(xdotool search --name "Marlowick" 2>/dev/null | head -1)
  box=$(xwininfo -root -children 2>/dev/null | awk '/OpenGL Software Emulation/ {print $1; exit}')
  if [ -n "$box" ]; then xdotool windowfocus "$box" key Return 2>/dev/null; fi
done
grep -q "Init OK" "$out" || exit 1
sleep 2
echo "screen after $(root_size)" >>"$out"
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x "," y " " w "x" h}'; }
echo "window $(geometry "$win")" >>"$out"
shot fullscreen-opening

# Sharp scaling shows the canvas at twice its size (the largest whole
# number that fits 1920x1080), between bars. The game's own pointer follows
# the device's movement: pushed to the canvas's top left corner and then moved
# by the screen distance from there to the option's row (canvas x 60,
# y 410..430: 120, 840 pixels), it must land on "Start from the beginning". Clicks
# there also go on past the opening screens, which do not track the pointer.
start=$(date +%s)
while [ -f "$autosave" ] && [ $(( $(date +%s) - start )) -lt 90 ]; do
  xdotool mousemove_relative -- -4000 -4000
  sleep 0.5
  xdotool mousemove_relative -- 120 840
  sleep 0.5
  xdotool click 1
  sleep 1
  kill -0 "$game_pid" 2>/dev/null || break
done
if [ -f "$autosave" ]; then echo "choice not taken" >>"$out"; else echo "choice taken after $(( $(date +%s) - start )) s" >>"$out"; fi
shot fullscreen-after-choice
exit 0
