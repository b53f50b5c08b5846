#!/usr/bin/env bash
# The preview's first picture and its playback (build/bench/preview/bench_preview)
# on the current display or on a private X server when there is none; its
# figures as FIGURE lines for bench/all.sh.
#   bench/preview/preview.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi
source "$here/../figures.sh"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build/bench/preview/bench_preview" | tee "$out"
first=$(sed -n 's/^first picture.*: \([0-9.]*\) ms (goal.*/\1/p' "$out")
floor=$(sed -n 's/.*ffmpeg floor \([0-9.]*\) ms.*/\1/p' "$out")
dropped=$(sed -n 's/.* = \([-0-9.]*\) % (goal < 1 %.*/\1/p' "$out")
late=$(sed -n 's/^10 ms GUI timer late by p99 \([0-9.]*\) ms.*/\1/p' "$out")
figure "preview: first picture at 1.0 s of a 1080p file (ms)" "$first" "<= 200"
figure "preview: ffmpeg's floor for the same picture (ms)" "$floor" -
figure "preview: 1080p30 playback, frames dropped (%)" "$dropped" "< 1"
figure "preview: 10 ms GUI timer late at p99 while playing (ms)" "$late" "<= 30"
