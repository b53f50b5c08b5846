#!/usr/bin/env bash
# Converts a generated 60-second clip to MP3 through tarvoconverter (started
# by the program's own runner) and through ffmpeg directly, several times
# each, and prints the ratio of the median times (it should be at most 1.05)
# and the CPU time the runner's process used while it waited.
#   bench/encoder-mp3.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/figures.sh"
build=${1:-build}
runs=${2:-7}
tools="$(cd "$build/kelvara/tools" && pwd)/"
driver="$build/bench/bench_encoder_run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -v error -y -f lavfi -i "testsrc2=size=320x240:rate=25:duration=60" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=60" \
  -c:v mpeg4 -q:v 5 -c:a pcm_s16le -shortest "$work/clip.avi"

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/direct" >"$work/tarvo" >"$work/cpu"
for ((i = 1; i <= runs; i++)); do
  start=$(now)
  ffmpeg -nostdin -v error -y -i "$work/clip.avi" -t 60 -vn -b:a 128k -ar 44100 "$work/direct.mp3"
  elapsed "$start" >>"$work/direct"

  start=$(now)
  "$driver" "$tools" "tarvoconverter -i '$work/clip.avi' -ss 00:00:00 -t 00:01:00 -ab 128 -ar 44100 '$work/tarvo.mp3'" \
    >"$work/run.txt"
  elapsed "$start" >>"$work/tarvo"
  sed -n 's/.*runner_cpu=\([0-9.]*\).*/\1/p' "$work/run.txt" >>"$work/cpu"
done

direct=$(median <"$work/direct")
tarvo=$(median <"$work/tarvo")
cpu=$(median <"$work/cpu")
printf 'ffmpeg directly:         median %.3f s over %d runs\n' "$direct" "$runs"
printf 'tarvoconverter (runner): median %.3f s over %d runs\n' "$tarvo" "$runs"
printf 'ratio of the medians:    %.3f (at most 1.05)\n' "$(awk -v a="$tarvo" -v b="$direct" 'BEGIN { print a / b }')"
printf "runner's own CPU time:   median %.3f s while waiting\n" "$cpu"
figure "mp3: time through the runner / ffmpeg directly" \
  "$(awk -v a="$tarvo" -v b="$direct" 'BEGIN { printf "%.3f", a / b }')" "<= 1.05"
figure "mp3: runner's own CPU while waiting (s)" "$cpu" -
ffprobe -v error -show_entries format=duration:stream=codec_name -of compact "$work/tarvo.mp3"
