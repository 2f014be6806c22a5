#!/usr/bin/env bash
# Sets everything up, builds the game and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target marlowick -j"$(nproc)"
exec "$root/build/bin/marlowick" "$@"
