#!/usr/bin/env bash
# Starts the autosave soak (a scripted play that saves after every choice) and,
# once it has begun saving, kills it with SIGKILL at a random moment, again and
# again; the autosave found after kill N is kept as kill-N.ini in DIR.
# Usage: autosave_kills.sh TEST_PROGRAM DIR KILLS MAX_MS
set -u
program=$1 dir=$2 kills=$3 max_ms=$4
export MARLOWICK_SOAK_DIR=$dir
for ((i = 1; i <= kills; i++)); do
  rm -f "$dir/saving"
  "$program" --gtest_also_run_disabled_tests --gtest_filter='AutosaveSoak.*' >/dev/null 2>&1 &
  pid=$!
  for ((tries = 0; tries < 2000; tries++)); do [ -e "$dir/saving" ] && break; sleep 0.005; done
  sleep "$(printf '0.%03d' $((RANDOM % max_ms)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  if [ -e "$dir/autosave.ini" ]; then cp "$dir/autosave.ini" "$dir/kill-$i.ini"; fi
done
