#!/usr/bin/env bash
# The file list with 10 000 jobs and while 1 000 files are added, against a
# plain table (build/bench/filelist/bench_filelist), on the current display
# or on a private X server when there is none. Prints FIGURE lines.
#   bench/filelist/filelist.sh [BUILD_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi
exec "$build/bench/filelist/bench_filelist"
