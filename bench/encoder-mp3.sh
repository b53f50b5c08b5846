#!/usr/bin/env bash
# Converts a generated 60-second clip to MP3 through tarvoconverter (started
# by the program's own runner) and through ffmpeg directly, several times
# each, in turns and each in a session of its own (setsid -w), and prints the
# ratio of the median times (it should be at most 1.05) with the ratio of the
# CPU times of both process trees and the load average beside it, and the CPU
# time the runner's process used while it waited.
#   bench/encoder-mp3.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/figures.sh"
source "$(dirname "$0")/session.sh"
build=${1:-build}
runs=${2:-7}
tools="$(cd "$build/kelvara/tools" && pwd)/"
driver="$build/bench/bench_encoder_run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -v error -y -f lavfi -i "testsrc2=size=320x240:rate=25:duration=60" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=60" \
  -c:v mpeg4 -q:v 5 -c:a pcm_s16le -shortest "$work/clip.avi"

: >"$work/direct" >"$work/tarvo" >"$work/cpu" >"$work/direct-cpu" >"$work/tarvo-cpu"
for ((i = 1; i <= runs; i++)); do
  read -r wall cpu < <(timed_session /dev/null \
    ffmpeg -nostdin -v error -y -i "$work/clip.avi" -t 60 -vn -b:a 128k -ar 44100 "$work/direct.mp3")
  echo "$wall" >>"$work/direct"
  echo "$cpu" >>"$work/direct-cpu"

  read -r wall cpu < <(timed_session "$work/run.txt" "$driver" "$tools" \
    "tarvoconverter -i '$work/clip.avi' -ss 00:00:00 -t 00:01:00 -ab 128 -ar 44100 '$work/tarvo.mp3'")
  echo "$wall" >>"$work/tarvo"
  echo "$cpu" >>"$work/tarvo-cpu"
  sed -n 's/.*runner_cpu=\([0-9.]*\).*/\1/p' "$work/run.txt" >>"$work/cpu"
done

direct=$(median <"$work/direct")
tarvo=$(median <"$work/tarvo")
cpu=$(median <"$work/cpu")
cpu_ratio=$(ratio "$(median <"$work/tarvo-cpu")" "$(median <"$work/direct-cpu")")
printf 'ffmpeg directly:         median %.3f s over %d runs\n' "$direct" "$runs"
printf 'tarvoconverter (runner): median %.3f s over %d runs\n' "$tarvo" "$runs"
printf 'ratio of the medians:    %s (at most 1.05)\n' "$(ratio "$tarvo" "$direct")"
printf 'CPU time of all processes: through the runner %.3f s, ffmpeg directly %.3f s: ratio %s; load average %s\n' \
  "$(median <"$work/tarvo-cpu")" "$(median <"$work/direct-cpu")" "$cpu_ratio" "$(load_average)"
printf "runner's own CPU time:   median %.3f s while waiting\n" "$cpu"
figure "mp3: time through the runner / ffmpeg directly" "$(ratio "$tarvo" "$direct")" "<= 1.05" \
  "$(beside "$cpu_ratio")"
figure "mp3: runner's own CPU while waiting (s)" "$cpu" -
ffprobe -v error -show_entries format=duration:stream=codec_name -of compact "$work/tarvo.mp3"
