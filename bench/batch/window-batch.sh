#!/bin/sh
# Batches timed from the real window under a private X server (see
# window_batch.py): per-job overhead, long jobs with responsiveness, or the
# window's own CPU and timer while several files convert at once.
#   bench/batch/window-batch.sh [BUILD_DIR] [overhead|long|at-once] [RUNS]
set -eu
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
export BENCH_BUILD="$build" BENCH_MODE="${2:-overhead}" BENCH_RUNS="${3:-5}"
export PYTHONPATH="$root/tests/desktop"
screens=$(mktemp -d)
trap 'rm -rf "$screens"' EXIT
"$root/tests/desktop/run-desktop.sh" "$here/window_batch.py" "$build/kelvara/kelvara" "$screens"
