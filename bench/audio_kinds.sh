#!/usr/bin/env bash
# The later audio kinds (FLAC, Opus, AAC, Ogg Vorbis, ALAC): a long clip with
# sound (60 minutes for the fast lossless encoders, 20 for the others, so that
# the program's start of about 0.2 s weighs as it would on real work)
# converted by the window's batch (bench_batch: the BatchDriver,
# the built-in command and tarvoconverter) against the same ffmpeg command
# run directly, captured from the program in a first run. Both sides start
# under `setsid -w`, in turns, so that the machine's load falls on both
# alike. Prints per kind the ratio of the median wall times (goal: at most
# 1.03), beside it the ratio of the median CPU times of the whole process
# trees and the load average when the kind's runs ended.
#   bench/audio_kinds.sh [BUILD_DIR] [RUNS] [KIND...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/batch/common.sh"
source "$here/figures.sh"
build=${1:-build}
runs=${2:-5}
kinds=("${@:3}")
[ ${#kinds[@]} -gt 0 ] || kinds=(flac opus aac ogg alac)
setup "$build"

# make_sound_clip PATH MINUTES: pink noise rather than a tone, so that the
# encoders work as hard as on music, beside a small picture.
make_sound_clip() {
  local seconds=$(($2 * 60))
  ffmpeg -v error -y -f lavfi -i "testsrc2=size=160x120:rate=5:duration=$seconds" \
    -f lavfi -i "anoisesrc=colour=pink:amplitude=0.3:sample_rate=44100:duration=$seconds" \
    -filter_complex "[1]asplit[l][r];[l][r]join=inputs=2:channel_layout=stereo[a]" -map 0:v -map "[a]" \
    -c:v mpeg4 -q:v 8 -c:a pcm_s16le -shortest "$1"
}

minutes_for() { case $1 in flac | alac) echo 60 ;; *) echo 20 ;; esac; }

for kind in "${kinds[@]}"; do
  minutes=$(minutes_for "$kind")
  clip="$work/long clip $minutes.avi"
  [ -f "$clip" ] || make_sound_clip "$clip" "$minutes"
  capture_batch "$kind" "$clip"
  : >"$work/direct" >"$work/program" >"$work/direct-cpu" >"$work/program-cpu"
  for ((r = 1; r <= runs; r++)); do
    read -r wall cpu < <(timed_replay "$work/capture/commands")
    echo "$wall" >>"$work/direct"
    echo "$cpu" >>"$work/direct-cpu"
    empty "$work/out"
    read -r wall cpu < <(timed_session /dev/null "$bench" "$tools" "$work/out" "$kind" "$clip")
    echo "$wall" >>"$work/program"
    echo "$cpu" >>"$work/program-cpu"
    empty "$work/out"
  done
  direct=$(median <"$work/direct")
  program=$(median <"$work/program")
  cpu_ratio=$(ratio "$(median <"$work/program-cpu")" "$(median <"$work/direct-cpu")")
  load=$(load_average)
  printf '%-4s ffmpeg directly %6.2f s, the batch %6.2f s (medians of %d): ratio %s (goal: at most 1.03); CPU ratio %s; load %s\n' \
    "$kind" "$direct" "$program" "$runs" "$(ratio "$program" "$direct")" "$cpu_ratio" "$load"
  figure "audio: $minutes min to $kind / ffmpeg directly" "$(ratio "$program" "$direct")" "<= 1.03" \
    "CPU ratio $cpu_ratio; load $load"
  figure "audio: $kind CPU time / ffmpeg directly" "$cpu_ratio" -
done
