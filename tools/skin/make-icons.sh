#!/usr/bin/env bash
# Draws the menu icon strip and the application icon into gui/shell/res/ (or the folder given as the
# only argument).
#
#   bash tools/skin/make-icons.sh [output-folder]
#
# Needs ImageMagick 6 (`convert`). The output is byte-identical on every run, so the committed files can
# be regenerated and diffed.
#
# Same drawing rules as make-skin.sh: shapes in final-pixel units on a 16-unit grid, drawn at four times
# the size and box-averaged down, line icons with 1.5-unit strokes and round ends. The menu icons sit on
# light menus, so they use the dark slate of the frame for outlines and the teal accent for the part that
# says what the command does. Straight strokes lie on pixel centres (x.5) so they stay one solid pixel
# wide with a faint fringe.
set -euo pipefail
export LC_ALL=C MAGICK_THREAD_LIMIT=1

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/gui/shell/res}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v convert >/dev/null || { echo "missing convert (apt-get install imagemagick)" >&2; exit 1; }

ink='#252e3a'       # outlines: the frame's slate
accent='#0f7f76'    # the meaningful part of each icon, and the logo's face
face_top='#1d998d'  # top of the logo's face, between the accent and the skin's light teal
rim_colour='#0a5a54' # the logo's outline

S=4
px="translate -0.5,-0.5 scale $S,$S"

# mvg COLOUR BODY: BODY in 16-unit grid coordinates as MVG on a 16-pixel supersampled canvas, stroked
# in COLOUR. Bodies say `fill '$c'` for their solid parts.
mvg() {
  printf "push graphic-context %s fill none stroke '%s' stroke-width 1.5 stroke-linecap round \
stroke-linejoin round %s pop graphic-context" "$px" "$1" "${2//\$c/$1}"
}

# Menu icons: INK body, ACCENT body and whether the accent cuts a one-pixel gap into the ink where they
# cross (so an arrow leaving a box stays readable).
menu_icon() {
  case $1 in
  refresh)
    ink_body="path 'M 2.93,9.36 A 5.25,5.25 0 0 1 9.36,2.93'
              stroke none fill '\$c' polygon 12.16,3.68 10.06,0.32 8.66,5.54"
    accent_body="path 'M 13.07,6.64 A 5.25,5.25 0 0 1 6.64,13.07'
                 stroke none fill '\$c' polygon 3.84,12.32 5.94,15.68 7.34,10.46"
    cut=0 ;;
  import)
    ink_body="polyline 1.5,9.5 1.5,13.5 13.5,13.5 13.5,9.5"
    accent_body="line 7.5,1.5 7.5,10 polyline 4.5,7 7.5,10 10.5,7"
    cut=0 ;;
  exit)
    ink_body="polyline 9.5,4.5 9.5,1.5 2.5,1.5 2.5,13.5 9.5,13.5 9.5,10.5"
    accent_body="line 6,7.5 14,7.5 polyline 11.5,5 14,7.5 11.5,10"
    cut=1 ;;
  export)
    ink_body="path 'M 7.5,2.5 L 3.5,2.5 Q 1.5,2.5 1.5,4.5 L 1.5,12.5 Q 1.5,14.5 3.5,14.5 L 11.5,14.5 \
Q 13.5,14.5 13.5,12.5 L 13.5,8.5'"
    accent_body="line 7,9 13.5,2.5 polyline 9.5,2 14,2 14,6.5"
    cut=1 ;;
  backup)
    ink_body="roundrectangle 1.5,1.5 14.5,5.5 1,1 polyline 2.5,5.5 2.5,14.5 13.5,14.5 13.5,5.5"
    accent_body="line 6,8.5 10,8.5"
    cut=0 ;;
  details)
    ink_body="roundrectangle 2.5,1.5 13.5,14.5 1.5,1.5"
    accent_body="line 5.5,5.5 10.5,5.5 line 5.5,8.5 10.5,8.5 line 5.5,11.5 8.5,11.5"
    cut=0 ;;
  regedit)
    ink_body="path 'M 7.5,1.25 L 13.5,4.5 L 13.5,11 L 7.5,14.25 L 1.5,11 L 1.5,4.5 Z' line 7.5,7.75 7.5,14.25"
    accent_body="fill '\$c' path 'M 7.5,1.25 L 13.5,4.5 L 7.5,7.75 L 1.5,4.5 Z'"
    cut=0 ;;
  online)
    ink_body="circle 7.5,7.5 7.5,13.5"
    accent_body="ellipse 7.5,7.5 3,6 0,360 line 1.5,7.5 13.5,7.5"
    cut=0 ;;
  help)
    ink_body="circle 8,8 8,14.5"
    accent_body="path 'M 5.9,6.2 Q 5.9,4.1 8,4.1 Q 10.1,4.1 10.1,6.1 Q 10.1,7.3 8,8.3 L 8,9.2'
                 stroke none fill '\$c' circle 8,11.6 8,12.55"
    cut=0 ;;
  comment)
    ink_body="path 'M 3.5,1.5 L 9.5,1.5 Q 11.5,1.5 11.5,3.5 L 11.5,7.5 Q 11.5,9.5 9.5,9.5 L 7.5,9.5 L 4.5,12.5
              L 4.5,9.5 L 3.5,9.5 Q 1.5,9.5 1.5,7.5 L 1.5,3.5 Q 1.5,1.5 3.5,1.5 Z'"
    accent_body="stroke-width 2.8 stroke-linecap butt line 15,5 10,10
                 stroke none fill '\$c' polygon 10.99,10.99 9.01,9.01 7.40,12.60"
    cut=1 ;;
  run)
    ink_body="roundrectangle 1.5,2.5 14.5,13.5 1.5,1.5
              fill '\$c' roundrectangle 1.5,2.5 14.5,5 1.5,1.5 rectangle 1.5,4 14.5,5"
    accent_body="stroke none fill '\$c' polygon 6.5,7.25 6.5,12.25 10.75,9.75"
    cut=0 ;;
  support)
    ink_body="roundrectangle 1.5,3.5 14.5,12.5 1.5,1.5"
    accent_body="polyline 2.5,4.75 8,8.75 13.5,4.75"
    cut=0 ;;
  uninstall)
    ink_body="line 2,3.5 14,3.5 polyline 5.5,3.5 5.5,1.5 10.5,1.5 10.5,3.5
              path 'M 3.5,3.5 L 4.5,14.5 L 11.5,14.5 L 12.5,3.5'"
    accent_body="line 6.5,6.5 6.5,11.5 line 9.5,6.5 9.5,11.5"
    cut=0 ;;
  exportlist)
    ink_body="path 'M 12.5,6.5 L 12.5,4.5 L 9.5,1.5 L 3.5,1.5 Q 2.5,1.5 2.5,2.5 L 2.5,13.5 Q 2.5,14.5 3.5,14.5
              L 11.5,14.5 Q 12.5,14.5 12.5,13.5 L 12.5,12.5' polyline 9.5,1.5 9.5,4.5 12.5,4.5"
    accent_body="line 6.5,9.5 14.5,9.5 polyline 12,7 14.5,9.5 12,12"
    cut=1 ;;
  *) echo "unknown icon $1" >&2; exit 1 ;;
  esac
  local n=$((16 * S))
  convert -size ${n}x$n xc:none -draw "$(mvg "$ink" "$ink_body")" "$work/ink.png"
  convert -size ${n}x$n xc:none -draw "$(mvg "$accent" "$accent_body")" "$work/accent.png"
  if ((cut)); then
    convert "$work/ink.png" \( "$work/accent.png" -alpha extract -morphology Dilate Disk:$S \
      -background black -alpha shape \) -compose dst_out -composite "$work/ink.png"
  fi
  convert "$work/ink.png" "$work/accent.png" -compose over -composite "$2"
}

# In the menu's image-list order.
names=(refresh import exit export backup details regedit online help comment run support uninstall exportlist)
tiles=()
for i in "${!names[@]}"; do
  menu_icon "${names[$i]}" "$work/icon$i.png"
  tiles+=("$work/icon$i.png")
done
convert -background none "${tiles[@]}" +append -filter box -resize $((100 / S))% "$work/strip.png"
# Alpha below 1 % is dust from the curves' anti-aliasing; clearing it keeps the cells' margins empty.
convert "$work/strip.png" \( +clone -alpha extract -black-threshold 1% \) -alpha off \
  -compose copy_opacity -composite "$work/strip.png"
convert "$work/strip.png" -alpha on -depth 8 -strip +set date:create +set date:modify \
  -define png:exclude-chunks=date,time -define png:compression-level=9 "PNG32:$out/MenuIcons.png"

# ---------------------------------------------------------------- application icon
# The logo of the skin: a teal rounded square with a white tick, here with a slight top-down gradient and
# a darker teal rim so its edge holds on light and dark task bars. Sizes are whole pixels so the rim lands
# on the pixel grid.

# inset SIZE: the margin around the square in whole pixels, about a thirty-second of the size as icons
# of this kind usually keep; the 16-pixel one fills its square.
inset() { echo $(($1 == 16 ? 0 : ($1 + 16) / 32)); }

# face SIZE DST: the square with its rim on a supersampled SIZE x SIZE canvas.
face() {
  local n=$1 m=$((S * $1)) inset rim side
  inset=$(($(inset "$n") * S))
  rim=$(((n >= 128 ? n / 64 : 1) * S))
  side=$((m - 2 * inset))
  convert -size ${m}x$m xc:none -stroke none \
    -fill "$rim_colour" -draw "roundrectangle $inset,$inset $((m - inset - 1)),$((m - inset - 1)) \
$((side / 4)),$((side / 4))" \
    \( -size ${m}x$m gradient:"$face_top-$accent" \
      \( -size ${m}x$m xc:black -fill white -draw "roundrectangle $((inset + rim)),$((inset + rim)) \
$((m - inset - rim - 1)),$((m - inset - rim - 1)) $((side / 4 - rim)),$((side / 4 - rim))" \) \
      -alpha off -compose copy_opacity -composite \) -compose over -composite "$2"
}

# Scaled tick, on the skin's 16-unit grid spread over the square.
for n in 24 32 48 256; do
  face $n "$work/face.png"
  inset=$(inset $n)
  k=$(awk -v n="$n" -v i="$inset" 'BEGIN { printf "%.6f", (n - 2 * i) / 16 }')
  convert "$work/face.png" -draw "push graphic-context $px translate $inset,$inset scale $k,$k fill none \
stroke white stroke-width 1.75 stroke-linecap round stroke-linejoin round polyline 4.3,8.3 7,11.1 11.9,4.9 \
pop graphic-context" -filter box -resize $((100 / S))% "$work/logo$n.png"
done

# At 16 pixels a scaled tick blurs into the face, so this one is laid out by hand on exact diagonals.
tick16=(
  "................"
  "................"
  "................"
  "................"
  "............##.."
  "...........###.."
  "..........###..."
  "...##....###...."
  "...###..###....."
  "....######......"
  ".....####......."
  "......##........"
  "................"
  "................"
  "................"
  "................"
)
points=
for y in "${!tick16[@]}"; do
  row=${tick16[$y]}
  for ((x = 0; x < 16; x++)); do
    if [[ ${row:x:1} == '#' ]]; then points+="point $x,$y "; fi
  done
done
face 16 "$work/face.png"
convert "$work/face.png" -filter box -resize $((100 / S))% -fill white -draw "$points" "$work/logo16.png"

# 32-bit images for every size; the 256-pixel one is stored PNG-compressed, as the format allows.
tiles=()
for n in 16 24 32 48 256; do
  convert "$work/logo$n.png" -alpha on -depth 8 -strip "PNG32:$work/icon$n.png"
  tiles+=("$work/icon$n.png")
done
convert "${tiles[@]}" "$out/Varnook.ico"
