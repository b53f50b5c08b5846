#!/usr/bin/env bash
# Sets everything up, checks the style (scripts/check-style.sh) and runs every
# test: the suite of build/, then the tests of the core, the runner, the
# profiles, the readers of outside text and the skin again under the
# sanitizers (build-asan/).
#   scripts/test.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

./scripts/setup.sh

# Formatting, layers and clang-tidy on the changed sources: a slip fails
# within a minute or two, before the long runs start.
./scripts/check-style.sh

# The sanitizer build compiles at the lowest priority while the suite runs:
# the desktop scenarios spend most of their time waiting for the screen and
# for encoders, and the suite's own work goes first.
asan_log=$(mktemp)
trap 'rm -f "$asan_log"' EXIT
nice -n 19 ./scripts/sanitizer-tests.sh build >"$asan_log" 2>&1 &
asan_build=$!

status=0
ctest --test-dir build --output-on-failure -j2 || status=$?

if ! wait "$asan_build"; then
  cat "$asan_log"
  echo "the sanitizer build failed" >&2
  exit 1
fi
[ "$status" -eq 0 ] || exit "$status"
./scripts/sanitizer-tests.sh run
