#!/usr/bin/env bash
# Runs the input probe in a real X window on a private Xvfb display and feeds
# it pointer, button and key input with xdotool.
# Usage: real_window.sh PROBE OUTPUT [probe options]. Writes only "SKIP" to
# OUTPUT when Xvfb, xdotool or xwininfo is missing.
set -u
probe="$1"; out="$2"; shift 2
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v xwininfo >/dev/null; then
  echo SKIP >"$out"
  exit 0
fi

source "$(dirname "$0")/../../tools/private_xvfb.sh"
start_private_xvfb 1024x768
trap end_private_xvfb EXIT

TMPDIR="$(dirname "$out")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$probe" "$@" >"$out" 2>&1 &
game=$!  # ended with the X server unless it ends first

# Up and running: "Init OK", after answering the software-renderer warning
# that a machine without GL hardware shows first, above the game window.
for _ in $(seq 1 300); do
  grep -q "Init OK" "$out" && break
  kill -0 "$game" 2>/dev/null || exit 1
  sleep 0.1
  box=$(xwininfo -root -children 2>/dev/null | awk '/OpenGL Software Emulation/ {print $1; exit}')
  if [ -n "$box" ]; then xdotool windowfocus "$box" key Return 2>/dev/null; fi
done
grep -q "Init OK" "$out" || { echo "real_window.sh: no \"Init OK\" from the probe" >>"$out"; exit 1; }
win=$(xdotool search --name "CQuorlin|input probe" 2>/dev/null | head -1)
[ -n "$win" ] || { echo "real_window.sh: the probe's window was not found" >>"$out"; exit 1; }
xdotool windowfocus "$win"
step() { "$@"; sleep 0.3; }
# Absolute moves for the shared mouse, device movement for the exclusive one.
step xdotool mousemove --window "$win" 100 100
step xdotool mousemove --window "$win" 300 200
step xdotool mousemove_relative -- 20 -30
step xdotool mousedown 1
step xdotool mouseup 1
step xdotool mousedown 3
step xdotool mouseup 3
step xdotool click 1   # a quick click, over between two reads
step xdotool click 5
step xdotool keydown a
step xdotool keyup a
step xdotool keydown shift+b
step xdotool keyup shift+b
step xdotool keydown Escape
wait "$game"
rc=$?
game=""
exit "$rc"
