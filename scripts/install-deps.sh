#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Kapuna
# needs. Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-nanum fonts-noto-color-emoji
  xvfb xauth xdotool imagemagick poppler-utils
  cups cups-client cups-bsd printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
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

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
