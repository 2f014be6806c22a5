#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite; then the runtime's
# tests once more under the address and undefined-behaviour sanitizers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
started=$SECONDS
# Where the time goes, for whoever keeps CI fast.
phase() { echo "== $1 ($((SECONDS - started)) s in)"; }
phase "installing what is missing"
bash "$root/tools/install-deps.sh"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

# Tests skipped in a build folder's run (ctest's own list), and the reasons
# they gave.
report_skips() {
  local out="$1/ctest-output.txt"
  [ -f "$out" ] || return 0
  local skipped
  skipped=$(grep -c '(Skipped)' "$out" || true)
  ((skipped)) || return 0
  echo "$skipped test(s) skipped in $(basename "$1"):"
  grep '(Skipped)' "$out" | sed 's/^.*Test *#[0-9]*: */  /; s/ \.\.\..*$//' || true
  { grep -h 'test data not found:' "$1/Testing/Temporary/LastTest.log" || true; } | sort | uniq -c | sed 's/^ */  /'
}

configure() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLOWICK_BUILD_TESTS=ON -DMARLOWICK_BUILD_BENCH=OFF "$@" >/dev/null
}

# Everything: runtime, game, media pipeline, playthroughs.
phase "building"
configure "$root/build"
cmake --build "$root/build" -j"$jobs"
phase "testing"
ctest --no-tests=error --test-dir "$root/build" --output-on-failure -j"$jobs" --timeout 600 |
  tee "$root/build/ctest-output.txt"

# The runtime areas again with the sanitizers (the game's playthroughs and the
# media checks add nothing there but minutes). Leaks are not reported: the GL
# driver keeps allocations until exit.
areas=(core files gfx input audio)
phase "building with the sanitizers"
# -O1 and line tables: the usual for sanitizer runs, and a quicker build.
# The media come from the first build: drawing them again under the
# sanitizers checks nothing new.
configure "$root/build-sanitize" -DMARLOWICK_SANITIZE=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DMARLOWICK_MEDIA_FROM="$root/build/bin"
cmake --build "$root/build-sanitize" -j"$jobs" --target marlowick "${areas[@]/#/test_}"
phase "testing with the sanitizers"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --no-tests=error --test-dir "$root/build-sanitize" --output-on-failure -j"$jobs" --timeout 600 \
  -R "^($(IFS='|'; echo "${areas[*]}"))\\." | tee "$root/build-sanitize/ctest-output.txt"
report_skips "$root/build"
report_skips "$root/build-sanitize"
phase "done"
