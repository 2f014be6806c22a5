#!/usr/bin/env bash
# Runs the input probe in a real X window on a private Xvfb display and feeds
# it pointer, button and key input with xdotool.
# Usage: real_window.sh PROBE OUTPUT [probe options]. Writes only "SKIP" to
# OUTPUT when Xvfb or xdotool is missing.
set -u
probe="$1"; out="$2"; shift 2
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo SKIP >"$out"
  exit 0
fi

# Xvfb picks a free display itself, so parallel runs do not collide.
number_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$number_file" ] && break; sleep 0.1; done
display=":$(head -1 "$number_file")"
rm -f "$number_file"
probe_pid=""
cleanup() {
  if [ -n "$probe_pid" ]; then
    kill "$probe_pid" 2>/dev/null
    sleep 0.5
    kill -KILL "$probe_pid" 2>/dev/null
  fi
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
export DISPLAY="$display"

TMPDIR="$(dirname "$out")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$probe" "$@" >"$out" 2>&1 &
probe_pid=$!

# Up and running: "Init OK", after answering the software-renderer warning
# that a machine without GL hardware shows first. The warning box sits in the
# middle of the screen, above the game window.
win=""
for _ in $(seq 1 300); do
  grep -q "Init OK" "$out" && break
  kill -0 "$probe_pid" 2>/dev/null || exit 1
  sleep 0.1
  [ -n "$win" ] || win=$(xdotool search --name "CQuorlin|input probe" 2>/dev/null | head -1)
  [ -n "$win" ] || continue
  xdotool mousemove 511 300
  eval "$(xdotool getmouselocation --shell)"
  if [ "$WINDOW" != "$win" ]; then xdotool windowfocus "$WINDOW" key Return; fi
done
grep -q "Init OK" "$out" || exit 1
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
wait "$probe_pid"
rc=$?
probe_pid=""
exit "$rc"
