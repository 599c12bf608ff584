#!/usr/bin/env bash
# Installs the Debian packages Kapuna needs for one or more purposes:
#
#   scripts/install-deps.sh [PURPOSE...]      (default: run)
#
#   run            build the game and play it (make run, make build)
#   test           + the printing tests' tools: a CUPS server with the PDF
#                  printer, poppler's PDF tools; the metadata validators
#                  and, for the installed program's check, strace, Xvfb
#                  and xdotool (make test)
#   asan           the same as test, for the sanitizer build, and xauth to
#                  start that build in a real X display (make check-asan)
#   fuzz           + clang with its libFuzzer runtime (make fuzz)
#   bench          nothing beyond run (make bench)
#   package        + the file utility CPack's Debian generator needs, and
#                  lintian to check the package (make package)
#   artwork        + the emoji font and ImageMagick for tools/
#   window         + Xvfb, openbox, xdotool and ImageMagick, to look at the real
#                  window on a machine without a display
#   fresh-machine  + debootstrap and git (scripts/fresh-machine-check.sh)
#
# "run" is always included. The test packages are kept out of "run" on
# purpose: printer-driver-cups-pdf makes its PDF queue the default printer
# of a desktop that has none, which would hide the game's own "no printer:
# PDF in Documents" behaviour from a player.
#
# Safe to run again: apt-get runs (update once, then install) only when
# something is missing.
set -euo pipefail

packages_for() {
  case $1 in
    run)
      echo build-essential cmake ninja-build \
        qt6-base-dev qt6-base-dev-tools libgl-dev libcups2-dev \
        fonts-nanum qt6-translations-l10n libqt6sql6-sqlite ;;
    test)
      echo poppler-utils cups cups-client cups-bsd printer-driver-cups-pdf \
        appstream desktop-file-utils strace xvfb xdotool ;;
    asan)
      echo poppler-utils cups cups-client cups-bsd printer-driver-cups-pdf \
        appstream desktop-file-utils strace xvfb xdotool xauth ;;
    fuzz) echo clang libclang-rt-14-dev ;;
    bench) echo ;;
    package) echo file lintian ;;
    artwork) echo fonts-noto-color-emoji imagemagick ;;
    window) echo xvfb xauth xdotool imagemagick openbox ;;
    fresh-machine) echo debootstrap git ;;
    *) return 1 ;;
  esac
}

purposes=(run "$@")
packages=()
for purpose in "${purposes[@]}"; do
  if ! list=$(packages_for "$purpose"); then
    echo "install-deps: unknown purpose '$purpose'" \
      "(run, test, asan, fuzz, bench, package, artwork, window, fresh-machine)" >&2
    exit 2
  fi
  read -r -a more <<<"$list"
  packages+=("${more[@]}")
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && continue
  [[ " ${missing[*]} " == *" $p "* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Kapuna needs these Debian packages: ${missing[*]}" >&2
  echo "Run this script as root, or install sudo, or install them yourself with apt-get." >&2
  exit 1
fi

echo "Installing for ${purposes[*]}: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
