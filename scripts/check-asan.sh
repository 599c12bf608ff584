#!/usr/bin/env bash
# Builds everything with AddressSanitizer (and its LeakSanitizer) and
# UndefinedBehaviorSanitizer in a folder of its own and runs the whole CTest
# suite on the offscreen platform. Any report fails the run.
#
#   BUILD_ASAN  build folder, absolute or relative to the repository
#               (default build-asan)
#   JOBS        parallel compile and test jobs (default: number of cores)
#
# Debug keeps Q_ASSERT on and gives exact stacks. It stays at -O0: the
# tests spend their time in Qt, which is not instrumented, so -O1 hardly
# speeds them up but makes the build (the larger part) a quarter slower.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build=${BUILD_ASAN:-build-asan}
jobs=${JOBS:-$(nproc)}
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

command -v g++ >/dev/null || { echo "check-asan: g++ is not installed (scripts/install-deps.sh)" >&2; exit 1; }

started=$(date +%s)
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_CXX_FLAGS_DEBUG="-g" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
  -DCMAKE_MODULE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j "$jobs"
built=$(date +%s)

export QT_QPA_PLATFORM=offscreen
# Beyond the defaults: uses of a finished function's locals (a callback
# that outlived the handler that made it), static initialisers that read
# another file's statics before they are made, and string arguments read
# in full by the C library's functions.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
# The suppressions name leaks of system libraries only (see the file).
export LSAN_OPTIONS="suppressions=$root/tests/asan/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
(cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 1500) || status=$?
finished=$(date +%s)

echo "check-asan: build $((built - started)) s, tests $((finished - built)) s"
exit "$status"
