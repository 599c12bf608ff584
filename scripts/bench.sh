#!/usr/bin/env bash
# Runs every benchmark program of a build on the offscreen platform, one
# after another, and ends with the figures they reported (the lines
# "figure: WHAT = VALUE", see bench/figure.h): the figures of the README's
# performance table. Fails when any benchmark fails or reports no figure;
# the others still run.
#
#   scripts/bench.sh [BUILD]      (default: build)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

programs=()
for b in "$build"/bench/bench_*; do
  # The build also leaves folders here (bench_*_autogen): programs only.
  [ -f "$b" ] && [ -x "$b" ] && programs+=("$b")
done
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench: no benchmark programs in $build/bench (build them first)" >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
scratch=
# Qt wants a private runtime folder; a login session has one, a CI job or a
# shell under sudo often not.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  scratch=$(mktemp -d)
  export XDG_RUNTIME_DIR=$scratch
fi
trap 'rm -f "$log"; [ -z "$scratch" ] || rm -rf "$scratch"' EXIT
figures=()
failed=()
for b in "${programs[@]}"; do
  name=$(basename "$b")
  echo "== $name"
  timeout 900 "$b" | tee "$log"
  rc=${PIPESTATUS[0]}
  mapfile -t mine < <(sed -n 's/^figure: //p' "$log")
  if [ "$rc" -ne 0 ]; then
    failed+=("$name (exit $rc)")
  elif [ ${#mine[@]} -eq 0 ]; then
    failed+=("$name (reported no figure)")
  fi
  figures+=("${mine[@]}")
done

echo
echo "== figures (README, Performance)"
for f in "${figures[@]}"; do
  printf '  %s\n' "$f"
done
if [ ${#failed[@]} -ne 0 ]; then
  printf 'bench: FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
