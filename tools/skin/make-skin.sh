#!/usr/bin/env bash
# Draws every picture of the default skin into skins/Default/ (or the folder given as the only argument).
#
#   bash tools/skin/make-skin.sh [output-folder]
#
# Needs ImageMagick 6 (`convert`, Debian package imagemagick) and DejaVu Sans (fonts-dejavu-core).
# The output is byte-identical on every run, so the committed PNGs can be regenerated and diffed.
#
# Everything is drawn at four times the final size and box-averaged down, which anti-aliases shapes and
# the line icons evenly. Buttons are drawn over the piece of background they sit on, so they look the
# same whether or not a control honours the PNG's transparency. The main window's outline is keyed with
# exact magenta: its edge is anti-aliased against a neutral grey and then made opaque, so no pixel is
# partly pink.
set -euo pipefail
export LC_ALL=C MAGICK_THREAD_LIMIT=1

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/skins/Default}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fonts=/usr/share/fonts/truetype/dejavu
font_bold=$fonts/DejaVuSans-Bold.ttf
font_book=$fonts/DejaVuSans.ttf
for f in "$font_bold" "$font_book"; do
  [[ -f $f ]] || { echo "missing font $f (apt-get install fonts-dejavu-core)" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "missing convert (apt-get install imagemagick)" >&2; exit 1; }

# Palette: one dark slate frame, one teal accent, light neutral content.
frame_top='#252e3a'   # header, top of the gradient
frame='#1c232c'       # frame, status band
line='#323d4b'        # separators on the frame
ring='#232c38'        # faint decorative rings on the splash, About and progress pictures
edge='#3a4656'        # one-pixel rim of the window outline
key_grey='#6b7480'    # what the outline's edge is anti-aliased against
surface='#242e3a'     # side-bar button face
surface_hi='#334152'  # hover face on the frame
accent='#0f7f76'      # pressed and active faces (white text reads on it)
accent_lt='#2bb3a5'   # accent for thin lines and the logo
tint='#c4e3df'        # pressed face of the light tabs
glyph='#c3cdd8'       # line icons on dark faces
glyph_dim='#5a6676'   # disabled icons on the frame
panel_top='#f1f3f6'   # side panel
panel_bot='#e3e7ec'
content='#e9edf1'     # page area, hidden under the lists
well='#161c23'        # recessed status strip
tab_face='#cdd4dc'    # tabs of the pages behind
tab_hover='#eef2f6'
panel_rim='#d0d6dd'   # side panel's left edge
off_face='#dadfe5'    # disabled side-bar face
off_rim='#c3cad3'
off_glyph='#98a2ae'

S=4 # supersampling factor
# Shapes are given in final-pixel units with continuous edges: (0,0) is the top-left corner of the
# first pixel. This prefix maps them onto the supersampled canvas.
px="translate -0.5,-0.5 scale $S,$S"

# write SRC DST: write a final-size picture without time stamps or other metadata, without an alpha
# channel when it is opaque (ImageMagick then picks a palette where 256 colours suffice).
write() {
  local alpha=on
  [[ $(identify -format '%[opaque]' "$1") == true ]] && alpha=off
  convert "$1" -alpha $alpha -depth 8 -strip +set date:create +set date:modify \
    -define png:exclude-chunks=date,time -define png:compression-level=9 "$2"
}

# save SRC DST: box-average the supersampled SRC down to the final size and write it.
save() {
  convert "$1" -scale $((100 / S))% "$work/final.png"
  write "$work/final.png" "$2"
}

# upscale SRC X Y W H DST: the given piece of a final-size picture, enlarged without smoothing, as the
# supersampled canvas of a picture drawn on top of it.
upscale() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -filter point -resize $((S * 100))% "$6"
}

# Line icons on a 16-unit grid, stroke 1.5, round ends. icon NAME X Y SIZE COLOUR prints MVG that draws
# NAME with its grid's top-left corner at final pixel (X,Y), SIZE final pixels wide.
icon() {
  local name=$1 x=$2 y=$3 size=$4 c=$5 body
  case $name in
  folder) body="path 'M 2,12.75 L 2,3.75 L 6.25,3.75 L 7.75,5.5 L 14,5.5 L 14,12.75 Z'" ;;
  eye) body="path 'M 1.25,8 Q 8,1 14.75,8 Q 8,15 1.25,8 Z' circle 8,8 8,10.25" ;;
  sliders) body="line 2,4 8,4 line 12,4 14,4 circle 10,4 10,5.75
                 line 2,8 3.5,8 line 7.5,8 14,8 circle 5.5,8 5.5,9.75
                 line 2,12 9,12 line 13,12 14,12 circle 11,12 11,13.75" ;;
  help) body="circle 8,8 8,14.25 path 'M 5.9,6.2 Q 5.9,4.1 8,4.1 Q 10.1,4.1 10.1,6.1 Q 10.1,7.3 8,8.3 L 8,9.2'
              stroke none fill '$c' circle 8,11.6 8,12.55" ;;
  trash) body="line 2.25,4 13.75,4 path 'M 6,4 L 6,2.25 L 10,2.25 L 10,4'
               path 'M 3.75,4 L 4.6,14 L 11.4,14 L 12.25,4' line 6.75,6.75 6.75,11.25 line 9.25,6.75 9.25,11.25" ;;
  details) body="roundrectangle 2.5,1.75 13.5,14.25 1.75,1.75 line 5.25,5.5 10.75,5.5 line 5.25,8 10.75,8
                 line 5.25,10.5 8.75,10.5" ;;
  refresh) body="path 'M 13,8 A 5,5 0 1 1 11.54,4.46' polyline 8.3,4.46 11.54,4.46 11.54,1.2" ;;
  search) body="circle 6.75,6.75 6.75,11.25 line 10.1,10.1 14,14" ;;
  toggle) body="roundrectangle 1.25,4.25 14.75,11.75 3.75,3.75 stroke none fill '$c' circle 11,8 11,10" ;;
  remove) body="circle 8,8 8,14.25 line 5.6,5.6 10.4,10.4 line 10.4,5.6 5.6,10.4" ;;
  apply) body="circle 8,8 8,14.25 polyline 5,8.3 7.2,10.5 11.1,6.1" ;;
  close) body="line 4.5,4.5 11.5,11.5 line 11.5,4.5 4.5,11.5" ;;
  minimise) body="line 4,8 12,8" ;;
  question) body="path 'M 5.4,5.6 Q 5.4,2.9 8,2.9 Q 10.6,2.9 10.6,5.4 Q 10.6,6.9 8,8.2 L 8,9.6'
                  stroke none fill '$c' circle 8,12.5 8,13.55" ;;
  check) body="polyline 4.3,8.3 7,11.1 11.9,4.9" ;;
  *) echo "unknown icon $name" >&2; exit 1 ;;
  esac
  local k
  k=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 16 }')
  printf "push graphic-context %s translate %s,%s scale %s,%s fill none stroke '%s' stroke-width 1.5 \
stroke-linecap round stroke-linejoin round %s pop graphic-context " "$px" "$x" "$y" "$k" "$k" "$c" "$body"
}

# The logo mark: a teal rounded square with a white tick. logo X Y SIZE prints its MVG.
logo() {
  local x=$1 y=$2 size=$3 k
  k=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 16 }')
  printf "push graphic-context %s translate %s,%s scale %s,%s stroke none fill '%s' \
roundrectangle 0,0 16,16 4,4 pop graphic-context %s" "$px" "$x" "$y" "$k" "$k" "$accent" \
    "$(icon check "$x" "$y" "$size" white)"
}

# ---------------------------------------------------------------- main window background (763 x 538)
W=763 H=538
# Header gradient down to the tab row, flat frame below it; the outline's rim is one pixel wide.
convert -size $((W * S))x$((112 * S)) gradient:"$frame_top-$frame" \
  -size $((W * S))x$(((H - 112) * S)) xc:"$frame" -append "$work/frame4.png"
convert -size $((W * S))x$((H * S)) xc:"$edge" \
  \( -size $((W * S))x$((H * S)) xc:black -fill white -draw "$px roundrectangle 0,0 $W,$H 10,10" \) \
  -alpha off -compose copy_opacity -composite "$work/rim4.png"
convert "$work/frame4.png" \
  \( -size $((W * S))x$((H * S)) xc:black -fill white -draw "$px roundrectangle 1,1 $((W - 1)),$((H - 1)) 9,9" \) \
  -alpha off -compose copy_opacity -composite "$work/inner4.png"
convert "$work/rim4.png" "$work/inner4.png" -compose over -composite "$work/body4.png"
# Separator under the menu row, the accent line that the active tab stands on, page and status areas.
convert "$work/body4.png" -stroke none \
  -fill "$line" -draw "$px rectangle 16,59 716,60" \
  -fill "$accent" -draw "$px rectangle 5,110 755,112" \
  -fill "$content" -draw "$px rectangle 5,112 755,506" \
  -fill "$well" -draw "$px roundrectangle 12,508 751,529 4,4" \
  -fill "$line" -draw "$px rectangle 5,506 755,507" \
  "$work/body4.png"
convert "$work/body4.png" -scale $((100 / S))% "$work/body.png"
# Key the outline: partly covered edge pixels become opaque (blended against grey), the rest magenta.
convert -size ${W}x${H} xc:'#ff00ff' \
  \( "$work/body.png" -background "$key_grey" -alpha remove -alpha off \) \
  \( "$work/body.png" -alpha extract -threshold 30% \) \
  -compose over -composite -alpha off "$work/main.png"
write "$work/main.png" "$out/img_Main.png"
main=$out/img_Main.png

# ---------------------------------------------------------------- title (228 x 26 at 21,74)
upscale "$main" 21 74 228 26 "$work/t4.png"
convert "$work/t4.png" -draw "$(logo 1 3 20)" \
  -font "$font_bold" -pointsize $((16 * S)) -fill white -kerning 1 -annotate +$((30 * S))+$((19 * S)) 'Varnook' \
  "$work/t4.png"
save "$work/t4.png" "$out/Title.png"

# ---------------------------------------------------------------- menu buttons (119 x 31)
menu_button() { # NAME ICON LEFT
  local name=$1 ic=$2 left=$3 st face gl
  for st in Normal Hover Down Disabled; do
    face=none gl=$glyph
    case $st in
    Hover) face=$surface_hi gl=white ;;
    Down) face=$accent gl=white ;;
    Disabled) gl=$glyph_dim ;;
    esac
    upscale "$main" "$left" 14 119 31 "$work/b4.png"
    convert "$work/b4.png" -stroke none -fill "$face" -draw "$px roundrectangle 4,3 115,30 5,5" \
      -draw "$(icon "$ic" 20 11 16 "$gl")" "$work/b4.png"
    save "$work/b4.png" "$out/btn${name}_$st.png"
  done
}
menu_button File folder 31
menu_button View eye 151
menu_button Tools sliders 270
menu_button Help help 389

# ---------------------------------------------------------------- window buttons (21 x 21 at x 731)
window_button() { # NAME ICON TOP
  local name=$1 ic=$2 top=$3 st face gl
  for st in Normal Hover Down Disabled; do
    face=none gl=$glyph
    case $st in
    Hover) face=$surface_hi gl=white ;;
    Down) face=$accent gl=white ;;
    Disabled) gl=$glyph_dim ;;
    esac
    upscale "$main" 731 "$top" 21 21 "$work/b4.png"
    convert "$work/b4.png" -stroke none -fill "$face" -draw "$px roundrectangle 1,1 20,20 4,4" \
      -draw "$(icon "$ic" 2.5 2.5 16 "$gl")" "$work/b4.png"
    save "$work/b4.png" "$out/btn${name}_$st.png"
  done
}
window_button Close close 13
window_button HelpContent question 34
window_button Min minimise 55

# ---------------------------------------------------------------- page tabs (117 x 32 at y 78)
# The page whose button is disabled is the one in front, so the disabled picture is the active tab.
tab_button() { # NAME LEFT
  local name=$1 left=$2 st face
  for st in Normal Hover Down Disabled; do
    case $st in
    Normal) face=$tab_face ;;
    Hover) face=$tab_hover ;;
    Down) face=$tint ;;
    Disabled) face=$accent ;;
    esac
    upscale "$main" "$left" 78 117 32 "$work/b4.png"
    convert "$work/b4.png" -stroke none -fill "$face" \
      -draw "$px roundrectangle 1,0 116,38 6,6" "$work/b4.png"
    if [[ $st == Hover ]]; then
      convert "$work/b4.png" -fill "$accent_lt" -draw "$px roundrectangle 1,0 116,8 6,6" \
        -fill "$face" -draw "$px rectangle 1,2 116,32" "$work/b4.png"
    fi
    save "$work/b4.png" "$out/btn${name}_$st.png"
  done
}
tab_button ProgramList 388
tab_button StartUpItems 505

# ---------------------------------------------------------------- side panel (185 x 394)
convert -size $((185 * S))x$((394 * S)) gradient:"$panel_top-$panel_bot" \
  -fill "$panel_rim" -draw "$px rectangle 0,0 1,394" -scale $((100 / S))% "$work/panel.png"
write "$work/panel.png" "$out/img_SizePanel.png"

# Side-bar buttons (185 x 43). TOP is the button's offset on the panel; SHIFT moves face and icon down
# for the buttons whose caption sits two pixels lower.
side_button() { # NAME ICON TOP SHIFT
  local name=$1 ic=$2 top=$3 d=$4 st face gl t b
  t=$((3 + d)) b=$((40 + d))
  for st in Normal Hover Down Disabled; do
    upscale "$work/panel.png" 0 "$top" 185 43 "$work/b4.png"
    case $st in
    Normal) face=$surface gl=$glyph ;;
    Hover) face=$surface_hi gl=white ;;
    Down) face=$accent gl=white ;;
    Disabled) face=$off_face gl=$off_glyph ;;
    esac
    if [[ $st == Disabled ]]; then
      convert "$work/b4.png" -stroke none -fill "$off_rim" -draw "$px roundrectangle 8,$t 177,$b 6,6" \
        -fill "$face" -draw "$px roundrectangle 9,$((t + 1)) 176,$((b - 1)) 5,5" "$work/b4.png"
    else
      convert "$work/b4.png" -stroke none -fill "$face" -draw "$px roundrectangle 8,$t 177,$b 6,6" "$work/b4.png"
    fi
    if [[ $st == Hover ]]; then
      convert "$work/b4.png" -fill "$accent_lt" -draw "$px roundrectangle 8,$t 14,$b 3,3" \
        -fill "$face" -draw "$px rectangle 11,$t 16,$b" "$work/b4.png"
    fi
    convert "$work/b4.png" -draw "$(icon "$ic" 24 $((14 + d)) 16 "$gl")" "$work/b4.png"
    save "$work/b4.png" "$out/btn${name}_$st.png"
  done
}
side_button Uninstall trash 12 0
side_button Details details 56 0
side_button Refresh refresh 100 0
side_button Search search 248 0
side_button SelectAll toggle 12 2
side_button Delete remove 56 2
side_button Apply apply 100 2

# ---------------------------------------------------------------- splash (520 x 230)
# The notice label lies at 155,144, 340 x 65, in light text.
sw=520 sh=230
convert -size $((sw * S))x$((sh * S)) gradient:"$frame_top-$frame" \
  -fill none -stroke "$ring" -strokewidth $((10 * S)) -draw "circle $((470 * S)),$((20 * S)) $((470 * S)),$((175 * S))" \
  -strokewidth $((4 * S)) -draw "circle $((470 * S)),$((20 * S)) $((470 * S)),$((140 * S))" \
  -stroke none -strokewidth 1 -fill "$accent_lt" -draw "$px rectangle 0,0 $sw,3" \
  -draw "$(logo 40 40 88)" \
  -font "$font_bold" -pointsize $((40 * S)) -fill white -kerning $((1 * S)) \
  -annotate +$((155 * S))+$((90 * S)) 'Varnook' \
  -stroke none -fill "$accent_lt" -draw "$px rectangle 157,108 205,110" \
  -fill "$line" -draw "$px rectangle 155,130 495,131" \
  -fill "$edge" -draw "$px rectangle 0,$((sh - 1)) $sw,$sh rectangle 0,3 1,$sh rectangle $((sw - 1)),3 $sw,$sh" \
  "$work/splash4.png"
save "$work/splash4.png" "$out/img_Splash.png"

# ---------------------------------------------------------------- About strip (125 x 278)
convert -size $((125 * S))x$((278 * S)) gradient:"$frame_top-$frame" \
  -fill none -stroke "$ring" -strokewidth $((10 * S)) -draw "circle $((125 * S)),$((278 * S)) $((125 * S)),$((188 * S))" \
  -strokewidth $((4 * S)) -draw "circle $((125 * S)),$((278 * S)) $((125 * S)),$((215 * S))" \
  -stroke none -draw "$(logo 30.5 36 64)" \
  -font "$font_bold" -pointsize $((17 * S)) -fill white -gravity north -annotate +0+$((122 * S)) 'Varnook' \
  -gravity northwest -fill "$accent_lt" -draw "$px rectangle 50,152 75,154" \
  \( -size $((125 * S))x$((278 * S)) xc:black -fill white -draw "$px roundrectangle 0,0 125,278 6,6" \) \
  -alpha off -compose copy_opacity -composite "$work/about4.png"
save "$work/about4.png" "$out/img_About.png"

# ---------------------------------------------------------------- backup progress (391 x 182)
# Fills the dialog's client area; its label (light text) and progress bar sit on the plain middle.
pw=391 ph=182
convert -size $((pw * S))x$((ph * S)) gradient:"$frame_top-$frame" \
  -fill none -stroke "$ring" -strokewidth $((10 * S)) -draw "circle $((391 * S)),$((182 * S)) $((391 * S)),$((92 * S))" \
  -strokewidth $((4 * S)) -draw "circle $((391 * S)),$((182 * S)) $((391 * S)),$((62 * S))" \
  -stroke none -strokewidth 1 -fill "$accent_lt" -draw "$px rectangle 0,0 $pw,3" \
  -draw "$(logo 14 14 20)" \
  "$work/progress4.png"
save "$work/progress4.png" "$out/img_ProgressBar.png"
