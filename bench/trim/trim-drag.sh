#!/usr/bin/env bash
# The trim slider dragged over a two-hour file against a plain slider
# (build/bench/trim/bench_trim_drag), on the current display or on a private
# X server when there is none. Prints FIGURE lines.
#   bench/trim/trim-drag.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "${2:-3}"
fi
exec "$build/bench/trim/bench_trim_drag" "${2:-3}"
