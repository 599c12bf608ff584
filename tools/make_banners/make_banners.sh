#!/usr/bin/env bash
# Rebuilds the default banner pictures in assets/beside/data/ from
# make_banners.cpp. Needs Qt 6 (qt6-base-dev), the fonts fonts-nanum and
# fonts-noto-color-emoji, and ImageMagick (imagemagick) to put the animated
# GIF together. Run from anywhere; nothing outside a temporary folder and
# assets/beside/data/ is written.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out="$repo/assets/beside/data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$here" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
QT_QPA_PLATFORM=offscreen "$work/build/make_banners" "$work/pictures"

mkdir -p "$out"
cp "$work/pictures/banner_players.png" "$work/pictures/banner_print.png" "$out/"

# One "-delay D frame" pair per frame, in order; the GIF loops forever.
args=()
while read -r frame delay; do
  args+=(-delay "$delay" "$work/pictures/ladder/$frame")
done <"$work/pictures/ladder/delays.txt"
convert -loop 0 "${args[@]}" -layers OptimizeFrame "$out/banner_ladder.gif"

echo "wrote $out/banner_ladder.gif, banner_players.png, banner_print.png"
