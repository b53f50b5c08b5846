#!/usr/bin/env bash
# Per-job overhead of a batch: 20 one-second clips to MP3 through the
# window's batch (BatchDriver and converters, run by bench_batch), against
# the same 20 ffmpeg commands run by a shell loop. The commands are the ones
# the program's encoder gave ffmpeg, captured in a first run. Both sides run
# in turns, each in a session of its own. Goal: ratio of the medians at most
# 1.15; beside it the ratio of the CPU times and the load average.
#   bench/batch/per-job-overhead.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
source "$here/../figures.sh"
build=${1:-build}
runs=${2:-7}
setup "$build"
mkdir "$work/clips"

clips=()
for i in $(seq -w 1 20); do
  make_clip "$work/clips/clip $i.avi" 1 320x240
  clips+=("$work/clips/clip $i.avi")
done

capture_batch mp3 "${clips[@]}"
echo "captured $(wc -l <"$work/capture/commands") ffmpeg commands"

: >"$work/direct" >"$work/program" >"$work/cpu" >"$work/direct-cpu" >"$work/program-cpu"
for ((r = 1; r <= runs; r++)); do
  read -r wall cpu < <(timed_replay "$work/capture/commands")
  echo "$wall" >>"$work/direct"
  echo "$cpu" >>"$work/direct-cpu"
  empty "$work/out"

  read -r wall cpu < <(timed_batch "$work/run.txt" mp3 "${clips[@]}")
  echo "$wall" >>"$work/program"
  echo "$cpu" >>"$work/program-cpu"
  field cpu_share <"$work/run.txt" >>"$work/cpu"
  empty "$work/out"
done

direct=$(median <"$work/direct")
program=$(median <"$work/program")
cpu_ratio=$(ratio "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")")
printf 'ffmpeg in a shell loop:   median %.3f s over %d runs\n' "$direct" "$runs"
printf 'the batch (20 jobs):      median %.3f s over %d runs\n' "$program" "$runs"
printf 'ratio of the medians:     %s (goal: at most 1.15)\n' "$(ratio "$program" "$direct")"
printf 'CPU time, all processes:  the batch %.3f s, the loop %.3f s: ratio %s; load average %s\n' \
  "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")" "$cpu_ratio" "$(load_average)"
printf "the batch's own CPU:      median %.1f %% of a core\n" "$(awk -v c="$(median <"$work/cpu")" 'BEGIN { print c * 100 }')"
figure "batch: 20 one-second clips to MP3 / ffmpeg shell loop" "$(ratio "$program" "$direct")" "<= 1.15" \
  "$(beside "$cpu_ratio")"
figure "batch: 20 clips to MP3, CPU time / loop's" "$cpu_ratio" -
