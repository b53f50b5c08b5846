#!/usr/bin/env bash
# Builds the tests of the core, the runner, the profiles, the readers of
# outside text and the skin with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ (only those test programs, at -O1) and runs them. Any report
# of either sanitizer fails the test that caused it.
#   scripts/sanitizer-tests.sh [build|run]   (both when neither is given)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

# -O1 keeps the build short and the stacks readable; -g1 keeps line numbers.
# The assertions stay in (no NDEBUG; QT_NO_DEBUG, which Qt's CMake files
# define outside Debug builds, undone): KELVARA_EXPECT, Q_ASSERT and the
# checks inside Qt's own headers.
step=${1:-all}
if [ "$step" != run ]; then
  cmake -S . -B build-asan -DKELVARA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -UQT_NO_DEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
  cmake --build build-asan -j2 --target kelvara_tests
fi
[ "$step" != build ] || exit 0

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$top/scripts/sanitizer-suppressions.txt:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j2
