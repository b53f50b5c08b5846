#!/usr/bin/env bash
# Benchmark: an AVI conversion of a generated 60-second clip through the
# video-editing component (videoedit-cli) against the same ffmpeg command
# run directly. Both run in turns, each in a session of its own (setsid -w).
# Prints both medians and their ratio, with the ratio of the CPU times of
# both process trees and the load average beside it; exits 1 when the
# component is more than 5% slower.
#
#   bench/videoedit/avi-conversion.sh [BUILD_DIR] [RUNS]
#
# The command the component runs is recorded once through a wrapper named by
# TARVO_FFMPEG, so the direct runs repeat exactly that command; the timed
# component runs use the real ffmpeg, found on PATH as the component finds it.
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
runs=${2:-7}
cli=$build/tests/e2e/videoedit/videoedit-cli
limit=1.05

if [ ! -x "$cli" ]; then
  echo "videoedit-cli not found at $cli: build it with" >&2
  echo "  cmake --build $build -j2 --target videoedit-cli" >&2
  exit 2
fi
ffmpeg=$(command -v ffmpeg)

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvara bench XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "Making a 60-second 640x480 clip..."
"$ffmpeg" -v error -y -f lavfi -i testsrc2=size=640x480:rate=25:duration=60 \
  -f lavfi -i sine=frequency=440:sample_rate=44100:duration=60 -shortest \
  -c:v mpeg4 -q:v 3 -c:a aac "$work/source.mp4"

# Records its arguments, one per NUL-terminated field, then is ffmpeg.
cat > "$work/recording-ffmpeg" <<WRAPPER
#!/usr/bin/env bash
printf '%s\0' "\$@" > "$work/command"
exec "$ffmpeg" "\$@"
WRAPPER
chmod +x "$work/recording-ffmpeg"

convert_with_component() {
  # The AVI panel's default codec (item 0), at the source's frame size.
  "$cli" convert --format 8 --vcodec 0 --acodec 0 --width 640 --height 480 --fps 25 \
    --start 0 --end 60 "$work/source.mp4" "$work/component.avi" > /dev/null
}

echo "Recording the component's ffmpeg command (also a warm-up run)..."
TARVO_FFMPEG="$work/recording-ffmpeg" convert_with_component
mapfile -d '' command < "$work/command"
# The direct run writes its own file, so neither run finds the other's.
for i in "${!command[@]}"; do
  [ "${command[$i]}" = "file:$work/component.avi" ] && command[$i]="file:$work/direct.avi"
done
echo "ffmpeg ${command[*]}"

# Each run starts in a new session (a new shell): the command goes there as
# its quoted words.
export command_words="${command[*]@Q}"
convert_directly() {
  eval "set -- $command_words"
  "$ffmpeg" "$@" > /dev/null
}
source "$top/bench/session.sh"
export -f convert_with_component convert_directly
export cli work ffmpeg

component_times=()
direct_times=()
component_cpu=()
direct_cpu=()
for run in $(seq 1 "$runs"); do
  # Alternate, so that a slow moment of a shared machine hits both.
  read -r wall cpu < <(timed_session /dev/null bash -c convert_with_component)
  component_times+=("$wall")
  component_cpu+=("$cpu")
  read -r wall cpu < <(timed_session /dev/null bash -c convert_directly)
  direct_times+=("$wall")
  direct_cpu+=("$cpu")
  printf 'run %d: component %.3f s, direct %.3f s\n' "$run" "${component_times[-1]}" "${direct_times[-1]}"
done

component_median=$(printf '%s\n' "${component_times[@]}" | median)
direct_median=$(printf '%s\n' "${direct_times[@]}" | median)
ratio=$(awk -v c="$component_median" -v d="$direct_median" 'BEGIN { printf "%.6f\n", c / d }')
printf 'median: component %.3f s, direct %.3f s\n' "$component_median" "$direct_median"
cpu_ratio=$(ratio "$(printf '%s\n' "${component_cpu[@]}" | median)" "$(printf '%s\n' "${direct_cpu[@]}" | median)")
printf 'ratio of the medians: %.3f (limit %s); CPU ratio %s; load average %s\n' "$ratio" "$limit" "$cpu_ratio" \
  "$(load_average)"
source "$(dirname "$0")/../figures.sh"
figure "avi: component / ffmpeg directly" "$(printf '%.3f' "$ratio")" "<= $limit" "$(beside "$cpu_ratio")"
if awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r > l) }'; then
  echo "the component is slower than the limit" >&2
  exit 1
fi
