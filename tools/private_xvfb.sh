# Sourced by the scripts that run the game in a real X window: starts a
# private Xvfb of the given size, exports DISPLAY and leaves its pid in $xvfb.
# end_private_xvfb kills the game whose pid is in $game (when set) and the
# Xvfb; the scripts install it as their exit trap. copy_game puts a copy of
# the game of its own in a folder: it keeps progress beside itself when it
# can, and a script's choices must not reach the build.
# Usage: start_private_xvfb 1024x768
start_private_xvfb() {
  local number_file
  number_file="$(mktemp)"
  # -noreset: an X server resets when its last client leaves, and a client
  # that connects meanwhile (a game after a quick check of the display) is
  # turned away.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$number_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -1 "$number_file")"
  rm -f "$number_file"
  # The number can come before the server takes connections on a busy
  # machine; a game started then finds no display.
  for _ in $(seq 1 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
}

end_private_xvfb() {
  [ -n "${game:-}" ] && kill -KILL "$game" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}

# Usage: copy_game FROM_DIR TO_DIR
copy_game() {
  mkdir -p "$2"
  for file in marlowick marlowick-movies.so media.gfx media.aud; do
    [ -f "$1/$file" ] && cp "$1/$file" "$2/"
  done
  return 0
}
