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
# The same options as a game played from this build in a real window.
. "$root/scripts/asan-env.sh"

status=0
(cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 1500) || status=$?

# The game itself in a real X display for a few seconds: start-up through
# Qt's xcb platform, the window, the banner playing. A sanitizer report
# ends it early with an exit status of its own; still running at the end
# (timeout's 124) is a pass. Its settings go to a scratch folder.
if command -v xvfb-run >/dev/null; then
  case $build in /*) game=$build/kapuna ;; *) game=$root/$build/kapuna ;; esac
  scratch=$(mktemp -d)
  shown=0
  (cd "$scratch" && HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg \
     XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=xcb \
     xvfb-run -a -s '-screen 0 1280x800x24' timeout 15 "$game") || shown=$?
  rm -rf "$scratch"
  if [ "$shown" -ne 124 ]; then
    echo "check-asan: the game in a real X display ended early (status $shown)" >&2
    status=1
  fi
else
  echo "check-asan: xvfb-run missing, the game in a real X display was not tried" >&2
fi
finished=$(date +%s)

echo "check-asan: build $((built - started)) s, tests $((finished - built)) s"
exit "$status"
