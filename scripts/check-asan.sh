#!/usr/bin/env bash
# Builds everything with AddressSanitizer (and its LeakSanitizer) and
# UndefinedBehaviorSanitizer in a folder of its own and runs the whole CTest
# suite on the offscreen platform. Any report fails the run.
#
#   BUILD_ASAN  build folder, relative to the repository (default build-asan)
#   JOBS        parallel compile and test jobs (default: number of cores)
#
# Debug keeps Q_ASSERT and the containers' own checks on; -O1 makes the
# instrumented tests run several times faster than -O0 for a small cost in
# compile time, and still gives exact stacks with the frame pointers kept.
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
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
  -DCMAKE_MODULE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j "$jobs"
built=$(date +%s)

suppressions=$root/tests/asan
export QT_QPA_PLATFORM=offscreen
# detect_stack_use_after_return also catches references to a finished
# handler's locals (a lambda that outlived its frame, say).
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1:detect_invalid_pointer_pairs=0:print_summary=1"
export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
(cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 1500) || status=$?
finished=$(date +%s)

echo "check-asan: build $((built - started)) s, tests $((finished - built)) s"
exit "$status"
