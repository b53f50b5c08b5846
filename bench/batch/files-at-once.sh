#!/usr/bin/env bash
# Several files at once: batches with the Files at once setting on Auto
# (bench_batch --files-at-once auto) against the same ffmpeg commands run
# directly, captured from the program in a first run. Every side starts in a
# session of its own (setsid -w), in turns. Ratios of the medians, each with
# the ratio of the CPU times and the load average beside it:
#   - 200 one-second clips with sound to MP3 / the commands in a shell loop:
#     goal at most 1.15 / cores (0.575 on 2 cores);
#   - the same / the commands run `cores` at a time by xargs -P: goal at most
#     1.10;
#   - a 60-second 1080p clip to AVI and to MP4 / ffmpeg directly: goal at most
#     1.03 (Auto does not slow a long video job down).
#   bench/batch/files-at-once.sh [BUILD_DIR] [RUNS]
# RUNS (5) is for the clips; the long clip runs LONG_RUNS times (3). QUICK=1
# tries it out quickly (20 clips, a 10-second clip, 3 and 1 runs); CLIPS,
# SECONDS_LONG, RUNS and LONG_RUNS set each number on their own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/../figures.sh"
build=${1:-build}
if [ "${QUICK:-0}" = 1 ]; then
  clip_count=${CLIPS:-20} long_seconds=${SECONDS_LONG:-10} runs=${2:-${RUNS:-3}} long_runs=${LONG_RUNS:-1}
else
  clip_count=${CLIPS:-200} long_seconds=${SECONDS_LONG:-60} runs=${2:-${RUNS:-5}} long_runs=${LONG_RUNS:-3}
fi
cores=$(nproc)
setup "$build"
mkdir "$work/clips"

# compare NAME GOAL DIRECT-ARGUMENT KIND FILE...: the batch on Auto against
# timed_replay of the captured commands (DIRECT-ARGUMENT: "" for a shell
# loop, or how many at a time); prints the line and the figure.
compare() {
  local name=$1 goal=$2 at_a_time=$3 kind=$4 wall cpu
  shift 4
  : >"$work/direct" >"$work/program" >"$work/direct-cpu" >"$work/program-cpu"
  for ((r = 1; r <= runs; r++)); do
    # shellcheck disable=SC2086 # no argument for the shell loop
    read -r wall cpu < <(timed_replay "$work/capture/commands" $at_a_time)
    echo "$wall" >>"$work/direct"
    echo "$cpu" >>"$work/direct-cpu"
    empty "$work/out"
    read -r wall cpu < <(timed_batch "$work/run.txt" "$kind" --files-at-once auto "$@")
    echo "$wall" >>"$work/program"
    echo "$cpu" >>"$work/program-cpu"
    empty "$work/out"
  done
  local direct program value cpu_ratio
  direct=$(median <"$work/direct")
  program=$(median <"$work/program")
  value=$(ratio "$program" "$direct")
  cpu_ratio=$(ratio "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")")
  printf '%s: the batch on Auto %.2f s, directly %.2f s (medians of %d): ratio %s (goal: %s); CPU %.2f s / %.2f s: ratio %s; load average %s\n' \
    "$name" "$program" "$direct" "$runs" "$value" "$goal" "$(median <"$work/program-cpu")" \
    "$(median <"$work/direct-cpu")" "$cpu_ratio" "$(load_average)"
  figure "$name" "$value" "$goal" "$(beside "$cpu_ratio")"
}

clips=()
for i in $(seq -w 1 "$clip_count"); do
  make_clip "$work/clips/clip $i.avi" 1 320x240
  clips+=("$work/clips/clip $i.avi")
done
capture_batch mp3 "${clips[@]}"
echo "$cores cores; captured $(wc -l <"$work/capture/commands") ffmpeg commands for $clip_count clips"
loop_goal=$(awk -v c="$cores" 'BEGIN { printf "%.3f", 1.15 / c }')
compare "at once: $clip_count one-second clips to MP3 on Auto / ffmpeg shell loop" "<= $loop_goal" "" mp3 "${clips[@]}"
compare "at once: $clip_count one-second clips to MP3 on Auto / ffmpeg xargs -P $cores" "<= 1.10" "$cores" mp3 \
  "${clips[@]}"
rm -rf "$work/clips"

runs=$long_runs
clip="$work/long clip.avi"
make_clip "$clip" "$long_seconds" 1920x1080
for kind in avi mp4; do
  capture_batch "$kind" "$clip"
  compare "at once: $long_seconds s 1080p to $kind on Auto / ffmpeg directly" "<= 1.03" "" "$kind" "$clip"
done
