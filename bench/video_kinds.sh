#!/usr/bin/env bash
# The video kinds of today: a clip to each kind's start profile through the
# window's batch (bench_batch), against the same ffmpeg command run
# directly. The command is the one the program's encoder gave ffmpeg,
# captured in a first run. Both sides run in a session of their own
# (setsid -w), so neither shares a process group with the shell. Goal: each
# ratio of the medians at most 1.03; the CPU time of the whole process tree
# and the load average are shown beside each figure.
#   bench/video_kinds.sh [BUILD_DIR] [RUNS] [SECONDS] [KIND...]
# (KIND: mp4 mkv webm av1 phone tv web, all by default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/batch/common.sh"
source "$here/figures.sh"
build=${1:-build}
runs=${2:-3}
seconds=${3:-5}
kinds=("${@:4}")
[ ${#kinds[@]} -gt 0 ] || kinds=(mp4 mkv webm av1 phone tv web)
setup "$build"

clip="$work/clip.avi"
make_clip "$clip" "$seconds" 640x360

for kind in "${kinds[@]}"; do
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
  printf '%-5s ffmpeg directly %7.2f s, the batch %7.2f s (medians of %d): ratio %s (goal: at most 1.03)\n' \
    "$kind" "$direct" "$program" "$runs" "$(ratio "$program" "$direct")"
  printf '      CPU time of all processes: the batch %.2f s, ffmpeg directly %.2f s: ratio %s; load average %s\n' \
    "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")" "$cpu_ratio" "$(load_average)"
  figure "video kinds: ${seconds} s 360p to $kind / ffmpeg directly" "$(ratio "$program" "$direct")" "<= 1.03" \
    "$(beside "$cpu_ratio")"
done
