#!/usr/bin/env bash
# Rebuilds the default banner pictures in assets/beside/data/ from
# make_banners.cpp, each at 1x and as its @2x and @4x twins. Needs Qt 6
# (qt6-base-dev), the fonts fonts-nanum and fonts-noto-color-emoji, and
# ImageMagick (imagemagick) to put the animated GIFs together. Run from
# anywhere; nothing outside a temporary folder and assets/beside/data/ is
# written.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out="$repo/assets/beside/data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$here" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
mkdir -p "$out"

for scale in 1 2 4; do
  pictures="$work/pictures/$scale"
  suffix=$([ "$scale" = 1 ] || echo "@${scale}x")
  QT_QPA_PLATFORM=offscreen "$work/build/make_banners" "$pictures" "$scale"
  cp "$pictures/banner_players$suffix.png" "$pictures/banner_print$suffix.png" "$out/"

  # One "-delay D frame" pair per frame, in order; the GIF loops forever.
  args=()
  while read -r frame delay; do
    args+=(-delay "$delay" "$pictures/ladder/$frame")
  done <"$pictures/ladder/delays.txt"
  convert -loop 0 "${args[@]}" -layers OptimizeFrame "$out/banner_ladder$suffix.gif"
done

echo "wrote banner_ladder.gif, banner_players.png, banner_print.png and their @2x and @4x twins in $out"
