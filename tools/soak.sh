#!/usr/bin/env bash
# Plays the real game for MINUTES under Xvfb with random input: clicks,
# digits, Esc, arrows, Space, Enter and focus changes. Samples the game's
# resident memory and CPU every 10 s and fails on memory growth, a crash, a
# sanitizer report or a hang (no frame shown for 5 s; the game writes a
# heartbeat file when MARLOWICK_HEARTBEAT names one). A game ended by Esc on
# the title is started again.
# Usage: tools/soak.sh MINUTES [GAME_DIR] [WORK_DIR]
#   GAME_DIR defaults to build/bin; WORK_DIR (TMPDIR of the game, logs and the
#   samples in samples.csv) to a new temporary folder.
set -u
minutes="${1:?minutes}"
root="$(cd "$(dirname "$0")/.." && pwd)"
game_dir="$(cd "${2:-$root/build/bin}" && pwd)"
work="${3:-$(mktemp -d)}"
mkdir -p "$work"
source "$(dirname "$0")/private_xvfb.sh"
copy_game "$game_dir" "$work/game"
game_dir="$work/game"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "soak: $tool is not installed"; exit 2; }
done

fail() { echo "soak: FAIL: $*"; exit 1; }
now() { date +%s; }

start_private_xvfb 1024x768
game=""
trap end_private_xvfb EXIT

heartbeat="$work/heartbeat"
starts=0
start_game() {
  starts=$((starts + 1))
  rm -f "$heartbeat"
  out="$work/game-$starts.log"
  (cd "$work" && TMPDIR="$work/" MARLOWICK_HEARTBEAT="$heartbeat" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
     ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" exec "$game_dir/marlowick") >"$out" 2>&1 &
  game=$!
  # Answer the software-renderer warning, then wait for the start-up to end.
  for _ in $(seq 1 600); do
    grep -q "Init OK" "$out" && break
    kill -0 "$game" 2>/dev/null || fail "the game ended during start-up: $(tail -5 "$out")"
    box=$(xwininfo -root -children 2>/dev/null | awk '/OpenGL Software Emulation/ {print $1; exit}')
    [ -n "$box" ] && xdotool windowfocus "$box" key Return 2>/dev/null
    sleep 0.1
  done
  grep -q "Init OK" "$out" || fail "the game did not start within 60 s"
  win=""
  for _ in $(seq 1 50); do
    win=$(xdotool search --name "^Marlowick" 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no game window"
  instance_start=$(now); first_rss=""; last_beat=""; last_beat_time=$(now)
}

check_log() {
  if grep -qE "ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:" "$out"; then
    fail "sanitizer report in $out: $(grep -m1 -E "ERROR: |runtime error:" "$out")"
  fi
}

# The game ended: only a clean end (Esc on the title) is allowed.
game_ended() {
  wait "$game"; local code=$?
  game=""
  check_log
  [ "$code" -eq 0 ] || fail "the game ended with code $code: $(tail -5 "$out")"
  start_game
}

keys=(1 2 3 4 5 0 Escape Up Down Left Right space Return)
random_action() {
  case $((RANDOM % 10)) in
    0|1|2|3|4)
      xdotool mousemove --window "$win" $((RANDOM % 640)) $((RANDOM % 480)) click 1 2>/dev/null ;;
    5|6|7|8)
      local key="${keys[$((RANDOM % ${#keys[@]}))]}"
      # Esc is rarer: it leaves a location for the title, and the title for good.
      [ "$key" = Escape ] && [ $((RANDOM % 4)) -ne 0 ] && key=Return
      xdotool key --window "$win" "$key" 2>/dev/null ;;
    9)
      xdotool windowunmap --sync "$win" 2>/dev/null; sleep 0.2
      xdotool windowmap --sync "$win" 2>/dev/null; xdotool windowfocus "$win" 2>/dev/null ;;
  esac
  actions=$((actions + 1))
}

# RSS in kB and CPU seconds (user + system) of the game.
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$game/status" 2>/dev/null; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game/stat" 2>/dev/null; }
ticks_per_second=$(getconf CLK_TCK)

samples="$work/samples.csv"
echo "seconds,start,rss_kb,cpu_percent" >"$samples"
actions=0
start_game
begin=$(now); deadline=$((begin + minutes * 60)); next_sample=$((begin + 10))
last_ticks=$(cpu_ticks); last_sample_time=$(now)
while [ "$(now)" -lt "$deadline" ]; do
  if ! kill -0 "$game" 2>/dev/null; then game_ended; last_ticks=$(cpu_ticks); continue; fi
  random_action
  sleep 0.$((2 + RANDOM % 6))
  beat=$(cat "$heartbeat" 2>/dev/null)
  if [ "$beat" != "$last_beat" ]; then last_beat="$beat"; last_beat_time=$(now); fi
  if [ $(( $(now) - last_beat_time )) -ge 5 ] && kill -0 "$game" 2>/dev/null; then
    fail "no frame for 5 s (heartbeat $last_beat) in start $starts"
  fi
  check_log
  if [ "$(now)" -ge "$next_sample" ] && kill -0 "$game" 2>/dev/null; then
    rss=$(rss_kb); ticks=$(cpu_ticks); t=$(now)
    cpu=$(( (ticks - last_ticks) * 100 / ticks_per_second / (t - last_sample_time > 0 ? t - last_sample_time : 1) ))
    last_ticks=$ticks; last_sample_time=$t; next_sample=$((t + 10))
    echo "$((t - begin)),$starts,$rss,$cpu" >>"$samples"
    # Growth: after a minute of warming up, RSS may not climb 25 % + 32 MB above
    # what this run of the game settled at.
    if [ $((t - instance_start)) -ge 60 ]; then
      if [ -z "$first_rss" ]; then first_rss=$rss
      elif [ "$rss" -gt $((first_rss * 5 / 4 + 32768)) ]; then
        fail "memory grew from $first_rss kB to $rss kB"
      fi
    fi
  fi
done

# A clean end: SIGTERM ends the game at once with code 0.
kill -TERM "$game"
for _ in $(seq 1 200); do kill -0 "$game" 2>/dev/null || break; sleep 0.01; done
kill -0 "$game" 2>/dev/null && fail "SIGTERM did not end the game within 2 s"
wait "$game"; code=$?; game=""
check_log
[ "$code" -eq 0 ] || fail "SIGTERM ended the game with code $code"
awk -F, -v actions="$actions" -v starts="$starts" 'NR > 1 {
    n++; cpu += $4; if (min == "" || $3 < min) min = $3; if ($3 > max) max = $3 }
  END { printf "soak: PASS: %d actions, %d starts, %d samples, RSS %d-%d MB, CPU %d %% on average\n",
        actions, starts, n, min / 1024, max / 1024, n ? cpu / n : 0 }' "$samples"
