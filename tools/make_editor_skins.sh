#!/usr/bin/env bash
# Draws the Filter Factory editor's own pictures into appfolder/interface with ImageMagick: the two
# skins (one background per interface file, at the window's size in pixels), the three slider
# track and knob looks, the memory pad and its spot marker. Every file name is exactly 12
# characters. Run it again after changing a picture; the PNG files are kept in the repository.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/appfolder/interface"
mkdir -p "$out"
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

# Toolbar buttons of a skin: rounded plates under the hot spots, with their words (into TB).
toolbar() { # fill stroke text-colour
    TB=(-fill "$1" -stroke "$2"
        -draw "roundrectangle 408,109 472,129 6,6" -draw "roundrectangle 477,109 532,129 6,6"
        -draw "roundrectangle 438,192 516,216 6,6" -draw "roundrectangle 404,223 454,249 6,6"
        -draw "roundrectangle 459,224 535,248 6,6" -draw "roundrectangle 425,256 521,277 6,6"
        -draw "roundrectangle 448,288 502,309 6,6" -draw "roundrectangle 437,320 514,341 6,6"
        -stroke none -fill "$3" -font $font -pointsize 10
        -annotate +418+123 'Clear all' -annotate +486+123 'Delete 1'
        -annotate +446+208 'Big preview' -annotate +412+240 'Open'
        -annotate +466+240 'Save picture' -annotate +440+270 'Random values'
        -annotate +460+302 'Reset' -annotate +450+334 'Save filter')
}

toolbar '#efe9dc' '#6d6455' '#2b2620'
TB2=("${TB[@]}")
toolbar '#4f6fa8' '#b9cff5' white

# Skin 1, "Vexolan Standard": slate blue, a rounded body with a round tab behind the window buttons.
convert -size 600x500 gradient:'#8da6cf-#4f6790' \
    -fill '#ffffff22' -stroke '#9fb6dd' -draw 'roundrectangle 24,26 214,136 8,8' \
    -draw 'roundrectangle 226,26 398,148 6,6' -draw 'roundrectangle 84,184 404,390 8,8' \
    -fill '#0d1626' -draw 'rectangle 229,29 395,145' \
    "${TB[@]}" \
    -fill '#2a3b5e' -stroke '#9fb6dd' -draw 'roundrectangle 8,396 560,430 8,8' \
    -stroke none -fill '#dfe8f7' -font $bold -pointsize 13 -annotate +30+480 'Vexolan  FF Editor' \
    -font $font -pointsize 10 -fill '#b9cff5' \
    -annotate +12+200 'Maps' -annotate +226+166 'mail the designer' \
    -fill '#ffd35a' -draw 'circle 560,38 560,28' \
    -strip "$out/Interfc4.png"

# Skin 2, "Vexolan Classic": warm grey, a bevelled body with a cut bottom-right corner.
convert -size 600x500 gradient:'#d8d2c4-#a69d8a' \
    -fill '#00000018' -stroke '#6d6455' -draw 'rectangle 24,26 214,136' \
    -draw 'rectangle 226,26 398,148' -draw 'rectangle 84,184 404,390' \
    -fill '#1b1b1b' -draw 'rectangle 229,29 395,145' \
    "${TB2[@]}" \
    -fill '#c8c0ae' -stroke '#6d6455' -draw 'rectangle 8,396 560,430' \
    -stroke none -fill '#3b342a' -font $bold -pointsize 13 -annotate +30+480 'Vexolan  Classic Editor' \
    -font $font -pointsize 10 -annotate +12+200 'Maps' \
    -annotate +226+166 'mail the designer' \
    -strip "$out/Interfc5.png"

# Slider tracks, 137 x 17: a groove with end marks; three looks.
convert -size 137x17 xc:'#1c2a45' -fill '#0b1220' -stroke '#9fb6dd' -draw 'roundrectangle 4,6 132,10 2,2' \
    -stroke '#9fb6dd' -draw 'line 15,2 15,14' -draw 'line 121,2 121,14' -strip "$out/SlidTrk0.png"
convert -size 137x17 xc:'#b8af9c' -fill '#6d6455' -stroke none -draw 'rectangle 4,7 132,9' \
    -fill '#efe9dc' -draw 'rectangle 4,10 132,10' -strip "$out/SlidTrk1.png"
convert -size 137x17 gradient:'#2f6b3a-#143019' -fill '#d9f2c4' -draw 'rectangle 15,8 121,8' \
    -strip "$out/SlidTrk2.png"
# Knobs: 9 x 17 and twice 8 x 17.
convert -size 9x17 xc:'#ffd35a' -fill '#b58a12' -draw 'rectangle 4,2 4,14' -stroke '#7a5c05' -fill none \
    -draw 'rectangle 0,0 8,16' -strip "$out/SlidKnb0.png"
convert -size 8x17 xc:'#efe9dc' -fill '#6d6455' -draw 'rectangle 3,2 4,14' -stroke '#3b342a' -fill none \
    -draw 'rectangle 0,0 7,16' -strip "$out/SlidKnb1.png"
convert -size 8x17 xc:'#d9f2c4' -fill '#2f6b3a' -draw 'rectangle 2,3 5,13' -strip "$out/SlidKnb2.png"

# The memory pad, 121 x 49: 5 x 2 cells of 24 pixels with their numbers; the spot marker, 22 x 22.
cells=() numbers=() n=1
for r in 0 1; do
    for c in 0 1 2 3 4; do
        x=$((1 + 24 * c)) y=$((1 + 24 * r))
        cells+=(-draw "rectangle $x,$y $((x + 22)),$((y + 22))")
        numbers+=(-annotate "+$((x + 7 - (n > 9 ? 3 : 0)))+$((y + 15))" "$n")
        n=$((n + 1))
    done
done
convert -size 121x49 xc:'#263a60' -stroke '#9fb6dd' -fill '#31497a' "${cells[@]}" \
    -stroke none -fill '#dfe8f7' -font $font -pointsize 10 "${numbers[@]}" -strip "$out/MemoryPd.png"
convert -size 22x22 xc:none -fill '#ffd35a' -stroke '#7a5c05' -draw 'circle 11,11 11,3' -strip "$out/SpotMark.png"

ls -l "$out"
