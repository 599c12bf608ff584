#!/usr/bin/env bash
# Builds the Debian package reproducibly and checks it with lintian.
#
#   scripts/package.sh [BUILD]      (default: build)
#
# The package is built from the sources alone, in BUILD/package/, not from
# the development build: two runs on the same commit, in any two folders,
# give the same bytes. What would differ between them is kept out:
#   - dates: every date in the package (file times, the archives' headers,
#     the resources compiled in) is the last commit's, SOURCE_DATE_EPOCH,
#     taken from git in a clone and from assets/package/source-date-epoch
#     in a `git archive` tarball (git writes the date into it, see
#     .gitattributes); a SOURCE_DATE_EPOCH already set wins;
#   - paths: the folder of the sources and the build folder are mapped to
#     fixed names in whatever the compiler writes (debug information, hence
#     the build id; __FILE__). The later map wins where both match.
# The .deb is copied to BUILD/. Fails when CPack fails or lintian reports
# anything at all.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd -P)
build=${1:-build}

command -v file >/dev/null || { echo "package: the file utility is missing (scripts/install-deps.sh package)" >&2; exit 1; }
command -v lintian >/dev/null || { echo "package: lintian is missing (scripts/install-deps.sh package)" >&2; exit 1; }

# The last commit's date. A tarball's file holds a number; in a clone it
# still holds git's placeholder, and git itself knows the date, as long as
# these sources are the top of the repository (not a tarball unpacked
# inside some other clone).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  stamp=$(tr -d '[:space:]' <assets/package/source-date-epoch)
  if [[ $stamp =~ ^[0-9]+$ ]]; then
    SOURCE_DATE_EPOCH=$stamp
  elif command -v git >/dev/null &&
       [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$src" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct)
  else
    echo "package: no date for the package: neither a git clone nor a git archive tarball;" \
      "set SOURCE_DATE_EPOCH" >&2
    exit 1
  fi
fi
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || { echo "package: SOURCE_DATE_EPOCH is not a number: $SOURCE_DATE_EPOCH" >&2; exit 1; }
export SOURCE_DATE_EPOCH
echo "package: SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"

# A compiler cache may stay, but not one that rewrites paths (ccache's
# base_dir): the compiler would see other file names than without it, and
# the debug information, hence the build id, would differ.
export CCACHE_BASEDIR=

mkdir -p "$build"
build=$(cd "$build" && pwd)
pkg=$build/package
# The date is no input ninja knows of: the resources compiled in carry the
# date of the build that made them. Another date, another build from nothing.
[ "$(cat "$pkg/source-date-epoch" 2>/dev/null)" = "$SOURCE_DATE_EPOCH" ] || rm -rf "$pkg"
mkdir -p "$pkg"
echo "$SOURCE_DATE_EPOCH" >"$pkg/source-date-epoch"
# Only the program and what it installs are built (CPack would otherwise
# build every test first); the link goes to games/, Debian's place for games.
cmake -S "$src" -B "$pkg" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$src=. -ffile-prefix-map=$pkg=./package-build" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DKAPUNA_LINK_DIR=games >/dev/null
cmake --build "$pkg" --target kapuna

rm -f "$pkg"/kapuna_*.deb "$build"/kapuna_*.deb
(cd "$pkg" && cpack -G DEB)
debs=("$pkg"/kapuna_*.deb)
[ -f "${debs[0]}" ] || { echo "package: cpack made no kapuna_*.deb in $pkg" >&2; exit 1; }
cp "${debs[0]}" "$build/"
deb=$build/$(basename "${debs[0]}")

echo "== lintian $deb"
# lintian refuses to run as root unless told it may. Every tag it shows,
# down to the informational ones, fails the package.
if ! report=$(lintian --allow-root --info --display-info "$deb" 2>&1) || [ -n "$report" ]; then
  printf '%s\n' "$report"
  echo "package: lintian reports on $deb" >&2
  exit 1
fi
echo "lintian: nothing to report"
sha256sum "$deb"
echo "package: $deb"
