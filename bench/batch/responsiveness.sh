#!/usr/bin/env bash
# Responsiveness while an encoder runs: a 10 ms timer on the thread that runs
# the batch (the window's thread in the program) notes how late it fires,
# and the process's own CPU time is compared with the batch's length. A
# 30-second 1080p clip goes to MP3 and to the PSP's start profile (the
# encoder, read through its pipe) and to AVI (the video-editing component).
# Goals: the 99th percentile of the lateness at most 30 ms; the process at
# most 2 % of a core. The yardstick: the same timer alone in a process
# (bench_batch --probe-only) while the same ffmpeg commands, captured from
# the program's run, run directly beside it. As in the program, where the
# encoder has a session of its own, the replay and the lone timer each start
# in a session of their own (setsid -w), and so does the batch.
#   bench/batch/responsiveness.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/../figures.sh"
build=${1:-build}
setup "$build"

clip="$work/clip.avi"
make_clip "$clip" 30 1920x1080

for kind in mp3 psp avi; do
  capture_batch "$kind" --probe-timer "$clip"
  seconds=$(field elapsed <"$work/run.txt")
  timed_replay "$work/capture/commands" >/dev/null &
  setsid -w "$bench" --probe-only "$seconds" >"$work/alone.txt"
  wait
  empty "$work/out"
  p99=$(field timer_p99_ms <"$work/run.txt")
  alone=$(field timer_p99_ms <"$work/alone.txt")
  cpu=$(awk -v c="$(field cpu_share <"$work/run.txt")" 'BEGIN { printf "%.2f", c * 100 }')
  printf '%-4s %6.2f s: timer late %5.2f ms at p99 (goal: at most 30; alone beside ffmpeg %5.2f ms, ratio %s), at most %.2f ms over %s ticks\n' \
    "$kind" "$seconds" "$p99" "$alone" "$(ratio "$p99" "$alone")" "$(field timer_max_ms <"$work/run.txt")" \
    "$(field timer_samples <"$work/run.txt")"
  printf '     own CPU %s %% of a core (goal: at most 2; the timer alone %.2f %%)\n' "$cpu" \
    "$(awk -v c="$(field cpu_share <"$work/alone.txt")" 'BEGIN { print c * 100 }')"
  figure "batch: 10 ms timer late at p99 while $kind encodes (ms)" "$p99" "<= 30" "load $(load_average)"
  figure "batch: program's own CPU while $kind encodes (% of a core)" "$cpu" "<= 2"
done
