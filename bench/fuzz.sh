#!/usr/bin/env bash
# Runs every libFuzzer target (or the ones named) for a given time and
# reports, per target, the executions, the corpus it grew to and the findings.
#   bench/fuzz.sh [-t SECONDS] [-p PARALLEL] [TARGET...]    (default 60 s, 2 at a time)
# Builds the fuzz tree build-fuzz/ with clang when needed. Seeds: the files
# committed under fuzz/seeds/<target>/, the shipped profiles (data/*.ini), the
# command lines in them, and a small AVI and MP3 made here with ffmpeg.
# Findings are kept in build-fuzz/findings/<target>/; reproduce one with
# build-fuzz/fuzz/<target>_fuzz FILE.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
parallel=2
while getopts "t:p:" option; do
  case $option in
    t) seconds=$OPTARG ;;
    p) parallel=$OPTARG ;;
    *) sed -n '2,4p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build="$top/build-fuzz"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DKELVARA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$build" -j2 --target fuzz >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/*_fuzz; do targets+=("$(basename "${exe%_fuzz}")"); done
fi

# The command lines of the shipped profiles, one file each.
seed_command_lines() {
  local to=$1 n=0
  grep -h '^Command[0-9]*=' "$top"/data/*.ini | sed 's/^Command[0-9]*=//' | sort -u |
    while IFS= read -r line; do n=$((n + 1)); printf '%s' "$line" >"$to/profile-command-$n"; done
}

# The same, expanded as the runner would hand them to tarvoconverter:
# arguments after the program name, separated by zero bytes.
seed_tarvo_arguments() {
  /usr/bin/python3 - "$1" "$top"/data/*.ini <<'PY'
import re, shlex, sys
to, n = sys.argv[1], 0
for path in sys.argv[2:]:
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r"Command\d*=tarvoconverter (.*)", line.strip())
        if not m:
            continue
        text = m.group(1).replace("$START", "00:00:01").replace("$LENGTH", "00:00:05")
        text = text.replace("$INPUT_FILE", "/in/a b.avi").replace("$OUTPUT_DIR", "/out/").replace("$OUTPUT_FILE", "M4V00001")
        text = re.sub(r"\$[A-Z]+", "320x240", text)
        n += 1
        open(f"{to}/profile-{n}", "wb").write(b"\0".join(a.encode() for a in shlex.split(text)))
PY
}

# A small AVI (MPEG-4 part 2, then H.264) and an MP3, joined as the pmpmux
# target reads them: the video's length in 4 little-endian bytes first.
seed_media() {
  local to=$1 work
  work=$(mktemp -d)
  ffmpeg -v error -y -f lavfi -i testsrc=size=32x24:rate=10:duration=0.5 -c:v mpeg4 -bf 0 "$work/v1.avi"
  ffmpeg -v error -y -f lavfi -i testsrc=size=32x24:rate=10:duration=0.5 -c:v libx264 -bf 0 \
    -preset ultrafast "$work/v2.avi"
  ffmpeg -v error -y -f lavfi -i sine=frequency=440:sample_rate=22050:duration=0.5 -c:a libmp3lame \
    -ab 32k "$work/a.mp3"
  for video in v1 v2; do
    /usr/bin/python3 -c 'import struct, sys; v = open(sys.argv[1], "rb").read(); a = open(sys.argv[2], "rb").read()
open(sys.argv[3], "wb").write(struct.pack("<I", len(v)) + v + a)' "$work/$video.avi" "$work/a.mp3" "$to/$video-mp3"
  done
  rm -rf "$work"
}

prepare_corpus() {
  local target=$1 corpus="$build/corpus/$1"
  mkdir -p "$corpus"
  [ -d "$top/fuzz/seeds/$target" ] && cp -n "$top/fuzz/seeds/$target"/* "$corpus"/ 2>/dev/null || true
  case $target in
    profile) cp -n "$top"/data/*.ini "$corpus"/ ;;
    command_line | template) seed_command_lines "$corpus" ;;
    tarvo_arguments) seed_tarvo_arguments "$corpus" ;;
    pmpmux) [ -e "$corpus/v1-mp3" ] || seed_media "$corpus" ;;
  esac
}

run_target() {
  local target=$1 log="$build/logs/$1.log" findings="$build/findings/$1/"
  mkdir -p "$build/logs" "$findings"
  prepare_corpus "$target"
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings" -print_final_stats=1 "$build/corpus/$target" >"$log" 2>&1 || true
}

report() {
  local target=$1 log="$build/logs/$1.log" runs found
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  found=$(find "$build/findings/$target" -type f -newer "$build/logs/.started" | wc -l)
  printf '%-18s %12s %8s %9s  %s\n' "$target" "${runs:-?}" "$(ls "$build/corpus/$target" | wc -l)" "$found" \
    "$(find "$build/findings/$target" -type f -newer "$build/logs/.started" -printf '%f ' | head -c 200)"
}

mkdir -p "$build/logs"
touch "$build/logs/.started"
running=0
for target in "${targets[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then wait -n; running=$((running - 1)); fi
done
wait

printf '%-18s %12s %8s %9s  %s\n' target executions corpus findings files
for target in "${targets[@]}"; do report "$target"; done
