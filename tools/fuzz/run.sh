#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz/run.sh [SECONDS per target, default 60] [--parallel] [TARGET...]
# Every target starts from generated seeds plus the inputs kept in
# tools/fuzz/regressions/<target>/ (earlier findings, replayed each run).
# Crashes land in build-fuzz/findings/<target>/; the script fails when any
# target found one. --parallel runs the targets at the same time.
set -euo pipefail
seconds=60 parallel=0 targets=()
for arg in "$@"; do
  case $arg in
    --parallel) parallel=1 ;;
    [0-9]*) seconds=$arg ;;
    *) targets+=("$arg") ;;
  esac
done
((${#targets[@]})) || targets=(fuzz_media_archive fuzz_key_file fuzz_png_reader fuzz_bmp_reader
                                fuzz_wav_reader fuzz_line_reader fuzz_text_to_number fuzz_autosave
                                fuzz_movie_demuxer)
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz

# -O1 with line tables, as fuzzing usually is: quick to build, readable traces.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLOWICK_FUZZ=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DMARLOWICK_BUILD_TESTS=OFF -DMARLOWICK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets
# The archive seeds need the packer; the normal build's one does when it is there.
mwpack=$root/build/bin/mwpack
if [ ! -x "$mwpack" ]; then
  cmake --build "$build" -j"$(nproc)" --target mwpack
  mwpack=$build/bin/mwpack
fi

# Small valid inputs of every kind, so that the fuzzer starts past the magic numbers.
make_seeds() {
  local s=$build/seeds
  rm -rf "$s" && mkdir -p "$s"/{fuzz_media_archive,fuzz_key_file,fuzz_png_reader,fuzz_bmp_reader} \
    "$s"/{fuzz_wav_reader,fuzz_line_reader,fuzz_text_to_number,fuzz_autosave,fuzz_movie_demuxer,files}
  printf 'first picture %.0s' {1..40} >"$s/files/title.png"
  printf 'RIFF....WAVEfmt ' >"$s/files/thames.wav"
  : >"$s/files/empty.txt"
  printf 'host bytes' >"$s/host.bin"
  "$mwpack" create "$s/fuzz_media_archive/plain.gfx" "$s/files" >/dev/null
  "$mwpack" create --behind "$s/host.bin" "$s/fuzz_media_archive/behind.gfx" "$s/files" >/dev/null
  printf '[Main]\r\nspeed = 5\r\nname=Kim\r\n; comment\r\n[Audio]\r\nvolume=80\r\n' >"$s/fuzz_key_file/a.ini"
  printf '  [ Video]\nspeed =\nx 3\n\t;c=1\n[]\n=7\n' >"$s/fuzz_key_file/b.ini"
  convert -size 5x3 xc:'#ff00ff' "$s/fuzz_png_reader/key.png"
  convert -size 4x4 xc:'rgba(10,200,30,0.5)' "$s/fuzz_png_reader/alpha.png"
  convert -size 3x2 xc:gray -type Palette "$s/fuzz_png_reader/palette.png"
  convert -size 5x3 xc:'#ff00ff' "BMP3:$s/fuzz_bmp_reader/rgb24.bmp"
  convert -size 3x3 xc:blue -type Palette "BMP3:$s/fuzz_bmp_reader/palette.bmp"
  sox -n -r 8000 -b 8 -c 1 "$s/fuzz_wav_reader/mono8.wav" synth 0.01 sine 440
  sox -n -r 22050 -b 16 -c 2 "$s/fuzz_wav_reader/stereo16.wav" synth 0.01 sine 440
  printf 'first\r\nsecond\n\nthird' >"$s/fuzz_line_reader/crlf.txt"
  head -c 1100 /dev/zero | tr '\0' 'x' >"$s/fuzz_line_reader/long.txt"
  printf '[autosave]\r\ngame=Marlowick\r\nformat=1\r\n[part1]\r\nloc=12\r\nmazeloc=0\r\nobj=2 5 14\r\n[part2]\r\nloc=3\r\nmazeloc=7\r\nobj=none\r\n[end]\r\ncomplete=yes\r\n' \
    >"$s/fuzz_autosave/both.ini"
  printf '[autosave]\ngame=Marlowick\nformat=1\n[part1]\nloc=52\nmazeloc=16\nobj=1 7 10 17 22 29\n[end]\ncomplete=yes\n' \
    >"$s/fuzz_autosave/one.ini"
  # Tiny movies in the containers a user would meet.
  local clip
  for clip in "mp4 -c:v libx264 -c:a aac" "webm -c:v libvpx -c:a libvorbis" "avi -c:v mjpeg -c:a pcm_s16le" \
      "mkv -c:v mpeg4 -c:a mp3"; do
    set -- $clip
    ffmpeg -v error -y -f lavfi -i testsrc=size=32x24:rate=10:duration=0.3 -f lavfi -i sine=duration=0.3 \
      "${@:2}" -shortest "$s/fuzz_movie_demuxer/seed.$1" || true
  done
  local n=0
  for text in '12abc' '  -1.5e3x' '.5' '1e' '0x1A' 'inf' '-nan' '1e400' '4.9e-324' '+.e5'; do
    printf '%s' "$text" >"$s/fuzz_text_to_number/$((n++))"
  done
}
make_seeds

# The file-reading targets write each input to a scratch file: in memory where possible.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

fuzz() {
  local target=$1
  local corpus=$build/corpus/$target findings=$build/findings/$target regressions=$root/tools/fuzz/regressions/$target
  mkdir -p "$corpus" "$findings"
  local inputs=("$corpus" "$build/seeds/$target")
  [ -d "$regressions" ] && inputs+=("$regressions")
  local status=0
  nice "$build/fuzz/$target" "${inputs[@]}" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$build/$target.log" 2>&1 || status=1
  {
    echo "== $target: ${seconds}s"
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|ERROR|SUMMARY' \
      "$build/$target.log" || true
    echo "   findings: $(find "$findings" -type f | wc -l)   corpus: $(find "$corpus" -type f | wc -l) inputs"
  }
  return $status
}

status=0
if ((parallel)); then
  pids=()
  for target in "${targets[@]}"; do fuzz "$target" >"$build/$target.summary" & pids+=($!); done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for target in "${targets[@]}"; do cat "$build/$target.summary"; done
else
  for target in "${targets[@]}"; do fuzz "$target" || status=1; done
fi
exit $status
