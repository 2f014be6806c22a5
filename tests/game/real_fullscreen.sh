#!/usr/bin/env bash
# Runs the game in a real X window on a private 1920x1080 Xvfb display, lets
# it ask for full screen, and reports the X screen's size and the game
# window's geometry. Optionally saves screenshots of the whole screen.
# Usage: real_fullscreen.sh GAME OUTPUT [SHOT_DIR [game options]]. Writes
# only "SKIP" to OUTPUT when Xvfb or xdotool is missing.
set -u
game="$1"; out="$2"; shots="${3:-}"; shift 3 2>/dev/null || shift $#
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v xwininfo >/dev/null; then
  echo SKIP >"$out"
  exit 0
fi
source "$(dirname "$0")/../../tools/private_xvfb.sh"
start_private_xvfb 1920x1080
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  sleep 0.5
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
root_size() { xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
echo "screen before $(root_size)" >"$out"

config="$(mktemp -d)"
XDG_CONFIG_HOME="$config" TMPDIR="$(dirname "$out")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
  "$game" "$@" >>"$out" 2>&1 &
game_pid=$!
win=""
for _ in $(seq 1 300); do
  grep -q "Init OK" "$out" && break
  kill -0 "$game_pid" 2>/dev/null || exit 1
  sleep 0.1
  # Answer the software-renderer warning box, which sits above the game window.
  [ -n "$win" ] || win=$(xdotool search --name "CQuorlin|Marlowick" 2>/dev/null | head -1)
  box=$(xwininfo -root -children 2>/dev/null | awk '/OpenGL Software Emulation/ {print $1; exit}')
  if [ -n "$box" ]; then xdotool windowfocus "$box" key Return 2>/dev/null; fi
done
grep -q "Init OK" "$out" || exit 1
sleep 3
echo "screen after $(root_size)" >>"$out"
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x "," y " " w "x" h}'; }
echo "window $(geometry "$win")" >>"$out"
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  import -window root "$shots/w18-fullscreen-compo.png"
  xdotool mousemove 960 540 click 1   # past the opening screen
  sleep 12
  import -window root "$shots/w18-fullscreen-title.png"
  xdotool key alt+Return
  sleep 2
  echo "window after Alt+Enter $(geometry "$win")" >>"$out"
  import -window root "$shots/w18-window-title.png"
fi
rm -rf "$config"
exit 0
