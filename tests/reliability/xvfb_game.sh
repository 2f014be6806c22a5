#!/usr/bin/env bash
# Starts the game in a real X window on a private Xvfb display, waits until it
# runs, then does one thing to it and reports how it ended:
#   kill-display      the X server dies under the game
#   alt-f4            a quick tap of Alt+F4
#   signal SIG        SIG sent once the game runs (at the compo screen)
#   signal-in-box SIG SIG sent while the software-renderer warning is up
# Usage: xvfb_game.sh GAME_DIR WORK_DIR SCENARIO [SIG]. Prints "exit CODE
# after MS ms" (milliseconds from the deed to the process's end), or "SKIP"
# when Xvfb or xdotool is missing. WORK_DIR becomes TMPDIR and keeps the log.
set -u
game_dir="$(cd "$1" && pwd)"; work="$2"; scenario="$3"; sig="${4:-}"
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then echo SKIP; exit 0; fi
mkdir -p "$work"
source "$(dirname "$0")/../../tools/private_xvfb.sh"
start_private_xvfb 1024x768
game=""
trap end_private_xvfb EXIT

out="$work/game.out"
(cd "$work" && TMPDIR="$work/" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$game_dir/marlowick") >"$out" 2>&1 &
game=$!

now_ms() { date +%s%3N; }
# Waits for the game to end (at most 10 s); prints its code and the time taken.
report_end() {
  local start="$1" code
  for _ in $(seq 1 1000); do kill -0 "$game" 2>/dev/null || break; sleep 0.01; done
  if kill -0 "$game" 2>/dev/null; then echo "still running after 10 s"; exit 1; fi
  wait "$game"; code=$?
  echo "exit $code after $(( $(now_ms) - start )) ms"
  game=""
}

# The warning box (llvmpipe renders in software) comes first, above the window.
box=""
for _ in $(seq 1 300); do
  box=$(xwininfo -root -children 2>/dev/null | awk '/OpenGL Software Emulation/ {print $1; exit}')
  [ -n "$box" ] && break
  grep -q "Init OK" "$out" && break
  sleep 0.1
done
if [ "$scenario" = signal-in-box ]; then
  [ -n "$box" ] || { echo "no warning box"; exit 1; }
  sleep 0.3
  start=$(now_ms); kill -s "$sig" "$game"; report_end "$start"; exit 0
fi
if [ -n "$box" ]; then xdotool windowfocus "$box" key Return 2>/dev/null; fi
for _ in $(seq 1 300); do grep -q "Init OK" "$out" && break; sleep 0.1; done
grep -q "Init OK" "$out" || { echo "the game did not start"; cat "$out"; exit 1; }
sleep 1.5
win=$(xdotool search --name "Marlowick" 2>/dev/null | head -1)
case "$scenario" in
  kill-display) start=$(now_ms); kill -KILL "$xvfb"; report_end "$start" ;;
  alt-f4) xdotool windowfocus --sync "$win" 2>/dev/null; start=$(now_ms); xdotool key --delay 0 alt+F4; report_end "$start" ;;
  signal) start=$(now_ms); kill -s "$sig" "$game"; report_end "$start" ;;
  *) echo "unknown scenario $scenario"; exit 1 ;;
esac
