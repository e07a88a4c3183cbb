#!/usr/bin/env bash
# Draws the program's own pictures into appfolder/pictures with ImageMagick: the logo (splash window
# and about box), the edition advertisement's picture and the tip window's bulb. Run it again after
# changing a picture; the PNG files are kept in the repository so a build needs no ImageMagick.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/appfolder/pictures"
mkdir -p "$out"
font=DejaVu-Sans-Bold

# Logo: a rounded tile, blue to violet, with a white "V" of three filter layers and the name.
convert -size 128x128 xc:none \
    \( -size 128x128 gradient:'#2b5fb4-#7a3fb0' \) -compose over -composite \
    \( -size 128x128 xc:black -fill white -draw 'roundrectangle 0,0 127,127 18,18' \) \
    -alpha off -compose copy_opacity -composite \
    -fill 'rgba(255,255,255,0.35)' -draw 'polygon 22,18 50,18 64,58 78,18 106,18 64,96' \
    -fill white -draw 'polygon 30,14 52,14 64,50 76,14 98,14 64,86' \
    -font "$font" -pointsize 19 -fill white -gravity south -annotate +0+8 'Vexolan' \
    -strip "$out/logo.png"

# Edition advertisement: a banner with stacked plug-in tiles and "PRO".
convert -size 370x140 gradient:'#f4f1ea-#d9e4f5' \
    -fill '#2b5fb4' -draw 'roundrectangle 20,30 90,100 8,8' \
    -fill '#5a4fc0' -draw 'roundrectangle 40,20 110,90 8,8' \
    -fill '#7a3fb0' -draw 'roundrectangle 60,10 130,80 8,8' \
    -fill white -draw 'polygon 76,22 88,22 95,44 102,22 114,22 95,66' \
    -font "$font" -pointsize 44 -fill '#2b3f74' -annotate +160+70 'PRO' \
    -font DejaVu-Sans -pointsize 14 -fill '#2b3f74' -annotate +160+96 'more plug-in tools,' \
    -annotate +160+114 'the FFL View and more' \
    -strip "$out/proedition.png"

# Tip window: a light bulb.
convert -size 64x64 xc:none \
    -fill '#ffd84a' -stroke '#c79a00' -strokewidth 2 -draw 'circle 32,26 32,8' \
    -stroke none -fill '#9a9a9a' -draw 'rectangle 24,44 40,56' \
    -fill '#6f6f6f' -draw 'rectangle 24,48 40,50' -draw 'rectangle 24,53 40,55' \
    -fill 'rgba(255,255,255,0.7)' -draw 'ellipse 25,20 4,7 0,360' \
    -strip "$out/tip.png"

ls -l "$out"
