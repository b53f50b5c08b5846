#!/usr/bin/env bash
# The saved file list with 10 000 jobs during a batch: what each write costs
# the GUI thread. Prints FIGURE lines.
#   bench/liststate/liststate.sh [BUILD_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
exec "$build/bench/liststate/bench_liststate"
