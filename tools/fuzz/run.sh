#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz/run.sh [SECONDS per target, default 60]
# Crashes land in build-fuzz/findings/<target>/; the script fails when any target found one.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLOWICK_FUZZ=ON \
  -DMARLOWICK_BUILD_TESTS=OFF -DMARLOWICK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_media_archive fuzz_key_file fuzz_autosave fuzz_movie_demuxer mwpack

# Seeds: a real archive (standalone and appended) and a few key files.
seeds=$build/seeds
rm -rf "$seeds" && mkdir -p "$seeds/fuzz_media_archive" "$seeds/fuzz_key_file" "$seeds/fuzz_autosave" "$seeds/files"
printf 'first picture %.0s' {1..40} >"$seeds/files/title.png"
printf 'RIFF....WAVEfmt ' >"$seeds/files/thames.wav"
: >"$seeds/files/empty.txt"
printf 'host bytes' >"$seeds/host.bin"
"$build/bin/mwpack" create "$seeds/fuzz_media_archive/plain.gfx" "$seeds/files" >/dev/null
"$build/bin/mwpack" create --behind "$seeds/host.bin" "$seeds/fuzz_media_archive/behind.gfx" "$seeds/files" >/dev/null
printf '[Main]\r\nspeed = 5\r\nname=Kim\r\n; comment\r\n[Audio]\r\nvolume=80\r\n' >"$seeds/fuzz_key_file/a.ini"
printf '  [ Video]\nspeed =\nx 3\n\t;c=1\n[]\n=7\n' >"$seeds/fuzz_key_file/b.ini"

printf '[autosave]\r\ngame=Marlowick\r\nformat=1\r\n[part1]\r\nloc=12\r\nmazeloc=0\r\nobj=2 5 14\r\n[part2]\r\nloc=3\r\nmazeloc=7\r\nobj=none\r\n[end]\r\ncomplete=yes\r\n' \
  >"$seeds/fuzz_autosave/both.ini"
printf '[autosave]\ngame=Marlowick\nformat=1\n[part1]\nloc=52\nmazeloc=16\nobj=1 7 10 17 22 29\n[end]\ncomplete=yes\n' \
  >"$seeds/fuzz_autosave/one.ini"

# Tiny movies in the containers a user would meet.
mkdir -p "$seeds/fuzz_movie_demuxer"
for clip in "mp4 -c:v libx264 -c:a aac" "webm -c:v libvpx -c:a libvorbis" "avi -c:v mjpeg -c:a pcm_s16le" \
    "mkv -c:v mpeg4 -c:a mp3"; do
  set -- $clip
  ffmpeg -v error -y -f lavfi -i testsrc=size=32x24:rate=10:duration=0.3 -f lavfi -i sine=duration=0.3 \
    "${@:2}" -shortest "$seeds/fuzz_movie_demuxer/seed.$1" || true
done

status=0
for target in fuzz_media_archive fuzz_key_file fuzz_autosave fuzz_movie_demuxer; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== $target: ${seconds}s"
  if ! "$build/fuzz/$target" "$corpus" "$seeds/$target" -max_total_time="$seconds" -max_len=65536 \
      -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/$target.log"; then
    status=1
  fi
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY' "$build/$target.log" || true
  echo "   findings: $(find "$findings" -type f | wc -l)   corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status
