#!/usr/bin/env bash
# Draws the program's own pictures into appfolder/pictures with ImageMagick: the logo (splash window
# and about box), the edition advertisement's picture, the tip window's bulb and the menu entries'
# pictures. Run it again after changing a picture; the PNG files are kept in the repository so a
# build needs no ImageMagick.
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

# Menu entries: sixteen-pixel pictures beside the captions the start-up gives one (menu_NN.png,
# NN the number of the main window's picture it stands for).
icon() { convert -size 16x16 xc:none "${@:2}" -depth 8 -strip "PNG32:$out/menu_$1.png"; }
page=(-fill white -stroke '#5a5a5a' -draw 'polygon 2,1 10,1 13,4 13,14 2,14' -fill '#d8d8d8' -draw 'polygon 10,1 10,4 13,4')
icon 00 "${page[@]}" -stroke '#2b5fb4' -draw 'line 4,7 11,7' -draw 'line 4,9 11,9' -draw 'line 4,11 9,11'
icon 01 -fill '#2b5fb4' -stroke '#1c3f7a' -draw 'roundrectangle 1,3 14,13 2,2' -stroke none -fill white \
    -draw 'polygon 4,5 7,5 8,9 9,5 12,5 8,12'
icon 02 -stroke '#1c3f7a' -fill '#7a3fb0' -draw 'rectangle 5,1 14,8' -fill '#5a4fc0' -draw 'rectangle 3,4 12,11' \
    -fill '#2b5fb4' -draw 'rectangle 1,7 10,14'
icon 03 -stroke '#c81e1e' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12'
icon 04 -fill '#e8b830' -stroke '#8a6400' -draw 'polygon 1,3 6,3 7,5 14,5 14,14 1,14' -fill '#ffd84a' \
    -draw 'polygon 3,8 15,8 13,14 1,14'
icon 05 "${page[@]}" -fill white -stroke '#5a5a5a' -draw 'rectangle 5,5 15,15'
icon 06 -fill '#1e5ac8' -stroke '#133c86' -draw 'circle 7.5,7.5 7.5,0.5' -stroke none -fill white -font DejaVu-Sans-Bold \
    -pointsize 12 -gravity center -annotate +0+0 '?'
icon 07 -fill '#2e9a3e' -stroke '#1b5e26' -draw 'polygon 1,6 8,6 8,2 14,8 8,14 8,10 1,10'
icon 08 -fill '#9cd0ff' -stroke '#3a3a3a' -draw 'rectangle 1,2 14,13' -stroke none -fill '#3f9a3f' \
    -draw 'polygon 2,12 6,7 9,10 11,8 13,12' -fill '#ffd84a' -draw 'circle 10,5 11,5'
icon 09 -fill none -stroke '#2e9a3e' -strokewidth 2 -draw 'arc 2,2 13,13 200,340' -draw 'arc 2,2 13,13 20,160' \
    -stroke none -fill '#2e9a3e' -draw 'polygon 12,2 15,7 10,7' -draw 'polygon 3,13 0,8 5,8'
icon 10 -fill '#8a8a8a' -stroke '#4a4a4a' -draw 'circle 7.5,7.5 7.5,1.5' -fill '#ececec' -draw 'circle 7.5,7.5 7.5,5'
icon 11 -fill '#e8b830' -stroke '#8a6400' -draw 'polygon 1,3 6,3 7,5 14,5 14,14 1,14'
icon 12 -stroke '#b05a00' -strokewidth 3 -draw 'line 3,12 12,3' -stroke '#3a3a3a' -strokewidth 1 \
    -draw 'line 1,15 3,12' -fill '#ffb0b0' -stroke none -draw 'rectangle 12,1 14,3'
icon 13 -fill white -stroke '#3a3a3a' -draw 'rectangle 1,2 14,13' -stroke none -fill '#2b5fb4' -draw 'rectangle 2,3 13,5'
icon 14 -fill white -stroke '#3a3a3a' -draw 'rectangle 1,2 14,13' -stroke none -fill '#c83f3f' \
    -draw 'polygon 2,12 6,6 10,12' -fill '#3f6fc8' -draw 'polygon 7,12 10,8 13,12'
icon 15 -fill none -stroke '#2b5fb4' -draw 'rectangle 1,1 14,14' -stroke '#2e9a3e' -strokewidth 2 \
    -draw 'polyline 4,8 7,11 12,4'
icon 16 -fill '#2e9a3e' -stroke '#1b5e26' -draw 'polygon 6,1 10,1 10,8 14,8 8,14 2,8 6,8'
icon 17 -fill '#d9ecff' -stroke '#3a3a3a' -strokewidth 2 -draw 'circle 6,6 6,1.5' -draw 'line 9,9 14,14'

ls -l "$out"

# The pane buttons beside each pane's folder line, 18 x 18: the view modes (a list of rows beside
# icons), the folder box (a folder tree) and the synchronisation of both panes (two panes and
# arrows between them).
pane() { convert -size 18x18 xc:none "${@:2}" -depth 8 -strip "PNG32:$out/pane_$1.png"; }
pane viewmode -fill '#2b5fb4' -draw 'rectangle 2,3 5,6' -draw 'rectangle 2,8 5,11' -draw 'rectangle 2,13 5,16' \
    -fill '#4a4a4a' -draw 'rectangle 7,4 15,5' -draw 'rectangle 7,9 15,10' -draw 'rectangle 7,14 15,15'
pane folderbox -fill '#e8b830' -stroke '#8a6400' -draw 'polygon 1,2 5,2 6,4 9,4 9,8 1,8' \
    -draw 'polygon 8,10 12,10 13,12 16,12 16,16 8,16' -stroke '#4a4a4a' -draw 'line 4,9 4,14' -draw 'line 4,14 7,14'
pane sync -fill white -stroke '#4a4a4a' -draw 'rectangle 1,2 7,15' -draw 'rectangle 10,2 16,15' -stroke none \
    -fill '#2e9a3e' -draw 'polygon 5,6 9,4 9,8' -draw 'polygon 12,11 8,9 8,13'
