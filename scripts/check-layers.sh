#!/bin/sh
# Fails when a folder includes a header from a folder above it. The layers,
# lowest first: game <- platform <- widgets <- setup, print, extras <- app.
# The three features sit side by side and include none of each other.
#   sh scripts/check-layers.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/..}" || exit 2

allowed() {
    case $1 in
    game) echo "game" ;;
    platform) echo "game platform" ;;
    widgets) echo "game platform widgets" ;;
    setup | print | extras) echo "game platform widgets $1" ;;
    app) echo "game platform widgets setup print extras app" ;;
    esac
}

violations=$(
    for folder in game platform widgets setup print extras app; do
        ok=" $(allowed "$folder") "
        for file in "$folder"/*.h "$folder"/*.cpp; do
            [ -f "$file" ] || continue
            grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$file" |
                sed 's/^\([0-9]*\):[^"]*"\([a-z_]*\)\/.*/\1 \2/' |
                while read -r line target; do
                    case $ok in
                    *" $target "*) ;;
                    *) echo "$file:$line: $folder/ includes $target/, which is not below it" ;;
                    esac
                done
        done
    done
)
if [ -n "$violations" ]; then
    echo "$violations"
    exit 1
fi
echo "layers ok"
