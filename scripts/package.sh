#!/usr/bin/env bash
# Builds the Debian package from an existing build folder and checks it with
# lintian. Fails when CPack fails or lintian reports an error; warnings are
# printed (the ones that stay are explained in README.md, "Installing").
#
#   scripts/package.sh [BUILD]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

command -v file >/dev/null || { echo "package: the file utility is missing (scripts/install-deps.sh package)" >&2; exit 1; }
command -v lintian >/dev/null || { echo "package: lintian is missing (scripts/install-deps.sh package)" >&2; exit 1; }

rm -f "$build"/kapuna_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/kapuna_*.deb)
[ -f "${debs[0]}" ] || { echo "package: cpack made no kapuna_*.deb in $build" >&2; exit 1; }
deb=${debs[0]}

echo "== lintian $deb"
# lintian refuses to run as root unless told it may.
lintian --allow-root --fail-on error --info --display-info "$deb" || {
  echo "package: lintian reports errors in $deb" >&2
  exit 1
}
echo "package: $deb"
