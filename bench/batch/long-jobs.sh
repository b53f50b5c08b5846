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
build=${1:-build}
runs=${2:-3}
tools="$(cd "$build/kelvara/tools" && pwd)"
bench="$(cd "$build/bench/batch" && pwd)/bench_batch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/out" "$work/capture"

clip="$work/long clip.avi"
ffmpeg -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=60" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=60" \
  -c:v mpeg4 -q:v 4 -c:a pcm_s16le -shortest "$clip"

for kind in avi psp mp3; do
  options=()
  [[ $kind == psp ]] && options=(--profile 7)
  make_capture "$work/capture"
  TARVO_FFMPEG="$work/capture/ffmpeg" "$bench" "$tools" "$work/out" "$kind" "${options[@]}" "$clip" >/dev/null
  empty "$work/out"
  : >"$work/direct" >"$work/program"
  for ((r = 1; r <= runs; r++)); do
    start=$(now)
    replay "$work/capture/commands"
    elapsed "$start" >>"$work/direct"
    empty "$work/out"
    "$bench" "$tools" "$work/out" "$kind" "${options[@]}" "$clip" | field elapsed >>"$work/program"
    empty "$work/out"
  done
  direct=$(median <"$work/direct")
  program=$(median <"$work/program")
  printf '%-4s ffmpeg directly %7.2f s, the batch %7.2f s (medians of %d, %d ffmpeg runs): ratio %s (goal: at most 1.03)\n' \
    "$kind" "$direct" "$program" "$runs" "$(wc -l <"$work/capture/commands")" "$(ratio "$program" "$direct")"
done
