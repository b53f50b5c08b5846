#!/usr/bin/env bash
# Long jobs: a 60-second 1080p clip to AVI (the video-editing component), to
# the Sony PSP's start profile (profile 7: thumbnail and MP4 through the
# encoder) and to MP3, each through the window's batch (bench_batch), against
# the same ffmpeg commands run directly. The commands are the ones the
# program's tools gave ffmpeg, captured in a first run. Both sides run in
# turns, each in a session of its own. Goal: each ratio of the medians at
# most 1.03; beside it the ratio of the CPU times and the load average.
#   bench/batch/long-jobs.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/../figures.sh"
build=${1:-build}
runs=${2:-3}
setup "$build"

clip="$work/long clip.avi"
make_clip "$clip" 60 1920x1080

for kind in avi psp mp3; do
  capture_batch "$kind" "$clip"
  : >"$work/direct" >"$work/program" >"$work/direct-cpu" >"$work/program-cpu"
  for ((r = 1; r <= runs; r++)); do
    read -r wall cpu < <(timed_replay "$work/capture/commands")
    echo "$wall" >>"$work/direct"
    echo "$cpu" >>"$work/direct-cpu"
    empty "$work/out"
    read -r wall cpu < <(timed_batch "$work/run.txt" "$kind" "$clip")
    echo "$wall" >>"$work/program"
    echo "$cpu" >>"$work/program-cpu"
    empty "$work/out"
  done
  direct=$(median <"$work/direct")
  program=$(median <"$work/program")
  cpu_ratio=$(ratio "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")")
  printf '%-4s ffmpeg directly %7.2f s, the batch %7.2f s (medians of %d, %d ffmpeg runs): ratio %s (goal: at most 1.03)\n' \
    "$kind" "$direct" "$program" "$runs" "$(wc -l <"$work/capture/commands")" "$(ratio "$program" "$direct")"
  printf '     CPU time of all processes: the batch %.2f s, ffmpeg directly %.2f s: ratio %s; load average %s\n' \
    "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")" "$cpu_ratio" "$(load_average)"
  figure "batch: 60 s 1080p to $kind / ffmpeg directly" "$(ratio "$program" "$direct")" "<= 1.03" \
    "$(beside "$cpu_ratio")"
done
