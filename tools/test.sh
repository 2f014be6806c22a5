#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite: once in a normal
# build, once with the address and undefined-behaviour sanitizers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
bash "$root/tools/install-deps.sh"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

run_suite() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLOWICK_BUILD_BENCH=OFF "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300
}

run_suite "$root/build"
# Leaks are not reported: the GL driver keeps allocations until exit.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_suite "$root/build-sanitize" -DMARLOWICK_SANITIZE=ON
