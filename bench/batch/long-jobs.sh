#!/usr/bin/env bash
# Long jobs: a 60-second 1080p clip to AVI (the video-editing component), to
# the Sony PSP's start profile (profile 7: thumbnail and MP4 through the
# encoder) and to MP3, each through the window's batch (bench_batch), against
# the same ffmpeg commands run directly. The commands are the ones the
# program's tools gave ffmpeg, captured in a first run. Goal: each ratio of
# the medians at most 1.03.
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
  read -ra options < <(kind_options "$kind") || true
  capture_batch "$kind" "$clip"
  : >"$work/direct" >"$work/program" >"$work/direct-cpu" >"$work/program-cpu"
  for ((r = 1; r <= runs; r++)); do
    read -r wall cpu < <(timed_replay "$work/capture/commands")
    echo "$wall" >>"$work/direct"
    echo "$cpu" >>"$work/direct-cpu"
    empty "$work/out"
    "$bench" "$tools" "$work/out" "$kind" "${options[@]}" "$clip" >"$work/run.txt"
    field elapsed <"$work/run.txt" >>"$work/program"
    field tree_cpu <"$work/run.txt" >>"$work/program-cpu"
    empty "$work/out"
  done
  direct=$(median <"$work/direct")
  program=$(median <"$work/program")
  printf '%-4s ffmpeg directly %7.2f s, the batch %7.2f s (medians of %d, %d ffmpeg runs): ratio %s (goal: at most 1.03)\n' \
    "$kind" "$direct" "$program" "$runs" "$(wc -l <"$work/capture/commands")" "$(ratio "$program" "$direct")"
  printf '     CPU time of all processes: the batch %.2f s, ffmpeg directly %.2f s: ratio %s\n' \
    "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")" \
    "$(ratio "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")")"
  figure "batch: 60 s 1080p to $kind / ffmpeg directly" "$(ratio "$program" "$direct")" "<= 1.03"
done
