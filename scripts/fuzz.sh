#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang (in build-fuzz/) and runs
# each for a bounded time, one after another.
#
#   FUZZ_SECONDS    seconds per target (default 60)
#   FUZZ_TARGETS    targets to run, space-separated (default: all)
#   FUZZ_BUILD      build folder (default: build-fuzz)
#   FUZZ_CXX        the clang++ to use (default: clang++, else clang++-14)
#
# New inputs are kept in $FUZZ_BUILD/corpus/<target>/, so the committed seeds
# in fuzz/corpus/ stay as they are; findings go to $FUZZ_BUILD/findings/.
# Exits non-zero when any target finds a crash, a leak, a timeout or a
# broken invariant; the input that did it is named in the output.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD:-$root/build-fuzz}
targets=(${FUZZ_TARGETS:-banner_list amount whole_number member_count})

if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "FUZZ_SECONDS must be a whole number of seconds, not '$seconds'" >&2
  exit 2
fi

cxx=${FUZZ_CXX:-}
if [ -z "$cxx" ]; then
  for c in clang++ clang++-14; do
    command -v "$c" >/dev/null 2>&1 && { cxx=$c; break; }
  done
fi
if [ -z "$cxx" ]; then
  echo "fuzzing needs clang++ (Debian packages clang and libclang-rt-14-dev)" >&2
  exit 2
fi

echo "== building the fuzz targets with $cxx in $build"
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" >/dev/null || exit 2
cmake --build "$build" -j 2 --target "${targets[@]}" || exit 2

# Inputs as long as a real file of the kind could plausibly be: lists and
# stores get room for many lines, typed texts far more than anyone types.
max_len_for() {
  case $1 in
    banner_list) echo 65536 ;;
    *) echo 4096 ;;
  esac
}
# The widget target frees many small blocks of many sizes per input, and
# AddressSanitizer's quarantine and free lists keep them resident for a
# while: its memory grows for a long time before it levels off, without a
# leak. Small inputs cannot make it need this much for real.
rss_limit_for() {
  case $1 in
    member_count) echo 4096 ;;
    *) echo 2048 ;;
  esac
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan.supp}
export QT_QPA_PLATFORM=offscreen

declare -a summary
failed=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  findings=$build/findings/$t/
  log=$build/logs/$t.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  # An input slower than -timeout is a finding too: the parsers promise
  # linear time, and a box must never hang the window.
  args=(
    -max_total_time="$seconds"
    -max_len="$(max_len_for "$t")"
    -rss_limit_mb="$(rss_limit_for "$t")"
    -timeout=10
    -print_final_stats=1
    -artifact_prefix="$findings"
  )
  [ -f "$root/fuzz/dict/$t.dict" ] && args+=(-dict="$root/fuzz/dict/$t.dict")
  seeds=("$root/fuzz/corpus/$t")
  [ -d "$root/fuzz/regressions/$t" ] && seeds+=("$root/fuzz/regressions/$t")

  echo "== fuzzing $t for ${seconds}s (log: $log)"
  start=$(date +%s)
  "$build/$t" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  elapsed=$(( $(date +%s) - start ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  execs=${execs:-?}

  if [ $rc -eq 0 ]; then
    line=$(printf '%-16s %5ss %12s execs  no finding' "$t" "$elapsed" "$execs")
  else
    failed=1
    artifact=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
    line=$(printf '%-16s %5ss %12s execs  FOUND (exit %s): %s' "$t" "$elapsed" "$execs" "$rc" \
      "${artifact:-see $log}")
    # The report itself: what broke and where.
    grep -E '==kapuna-fuzz==|ERROR: |SUMMARY: |runtime error|^ +#[0-9]+ ' "$log" | head -n 40
  fi
  echo "$line"
  summary+=("$line")
done

echo "== summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
if [ $failed -ne 0 ]; then
  echo "Replay a finding with: $build/<target> <file>" >&2
  exit 1
fi
