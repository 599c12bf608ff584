#!/usr/bin/env bash
# Proves the package reproducible: builds the package of one commit three
# times, one after another (so every checkout has other file times), in two
# fresh clones in folders of different names and depths and in a
# `git archive` tarball unpacked without .git, and compares the .deb files
# byte for byte. Too slow for every test run (three package builds).
#
#   bash tests/install/check_reproducible.sh [COMMIT]     (default HEAD)
#
#   REPRO_WORK  work folder, emptied first (default /var/tmp/kapuna-repro)
#
# Each folder runs `make build`, then `make package` with ccache turned off:
# the development build plays no part in the package and may come from a
# cache; the package build must not, or two builds could share one compile.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
work=${REPRO_WORK:-/var/tmp/kapuna-repro}

rm -rf "$work"
mkdir -p "$work"
build_in() {
  local dir=$1
  echo "== $dir"
  make -C "$dir" build >"$dir.build.log" 2>&1 || { tail -20 "$dir.build.log"; exit 1; }
  CCACHE_DISABLE=1 make -C "$dir" package 2>&1 | tee "$dir.package.log" | grep -E '^package: |^lintian: |^[0-9a-f]{64} '
  [ "${PIPESTATUS[0]}" -eq 0 ] || { tail -20 "$dir.package.log"; exit 1; }
}
clone() { git clone -q "$repo" "$1" && git -C "$1" checkout -q --detach "$commit"; }

clone "$work/a"
build_in "$work/a"
clone "$work/second/clone-b"
build_in "$work/second/clone-b"
mkdir "$work/tarball"
git -C "$repo" archive "$commit" | tar -x -C "$work/tarball"
build_in "$work/tarball"

debs=("$work"/a/build/kapuna_*.deb "$work"/second/clone-b/build/kapuna_*.deb "$work"/tarball/build/kapuna_*.deb)
echo "== ${commit:0:12}"
sha256sum "${debs[@]}"
cmp "${debs[0]}" "${debs[1]}"
cmp "${debs[0]}" "${debs[2]}"
echo "reproducible: three builds, one package"
