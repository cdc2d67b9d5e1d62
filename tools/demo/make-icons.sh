#!/usr/bin/env bash
# Draws the demo samples' icons (tools/demo/icons/<id>.ico, 16, 32 and 48 pixels) with ImageMagick. The
# icons are committed, so a build needs this only when a sample is added or changed:
#   bash tools/demo/make-icons.sh
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)/icons
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# id, fill colour, shape (square or round), glyph
icons=(
    "notes      #d9822b square N"
    "photo      #2b7bd9 round  P"
    "tools      #6b6b6b square F"
    "tracker    #1f9e89 round  T"
    "planner    #2e8b3e square W"
    "writer     #8a3fb8 square Q"
    "backup     #b8553f round  B"
    "clock      #3fa7b8 round  C"
    "mapper     #4f6d2f square M"
    "audio      #c23a6b round  H"
    "reader     #c9a227 square L"
    "sync       #3f51b5 round  S"
    "aurora     #0f766e round  A"
    "lanterns   #b45309 round  *"
    "tidepool   #1e40af round  ~"
)

for line in "${icons[@]}"; do
    read -r id colour shape glyph <<<"$line"
    if [ "$shape" = round ]; then
        draw="circle 128,128 128,8"
    else
        draw="roundrectangle 8,8 248,248 48,48"
    fi
    convert -size 256x256 xc:none -fill "$colour" -draw "$draw" \
        -fill white -font DejaVu-Sans-Bold -pointsize 170 -gravity center -annotate +0+6 "$glyph" \
        "$work/$id.png"
    for size in 16 32 48; do
        convert "$work/$id.png" -resize "${size}x${size}" "$work/$id-$size.png"
    done
    convert "$work/$id-16.png" "$work/$id-32.png" "$work/$id-48.png" "$out/$id.ico"
done
echo "Icons written to $out"
