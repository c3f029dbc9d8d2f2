#!/usr/bin/env bash
# Draws the programs' icons at 16, 32 and 48 pixels: the start menu's (src/app/nimbrel.ico), a dark
# grey tile with three menu rows and an upward arrow, and the run box's (src/runbox/run.ico), a
# window with an arrow pointing out of it. Run by hand when a picture changes; the results are kept.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 48x48 xc:none \
    -fill '#555555' -stroke '#2A2A2A' -strokewidth 2 -draw 'roundrectangle 2,2 45,45 8,8' \
    -stroke none -fill '#F0F0F0' \
    -draw 'rectangle 9,11 29,15' -draw 'rectangle 9,21 29,25' -draw 'rectangle 9,31 29,35' \
    -fill '#FFDF55' -draw 'polygon 37,9 44,19 40,19 40,38 34,38 34,19 30,19' \
    "$tmp/48.png"
convert "$tmp/48.png" -resize 32x32 "$tmp/32.png"
convert "$tmp/48.png" -resize 16x16 "$tmp/16.png"
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" src/app/nimbrel.ico
echo "src/app/nimbrel.ico"
convert -size 48x48 xc:none \
    -fill '#F4F4F4' -stroke '#3A3A3A' -strokewidth 2 -draw 'rectangle 3,12 35,44' \
    -stroke none -fill '#2D6CC0' -draw 'rectangle 4,13 34,18' \
    -stroke '#13458B' -strokewidth 5 -draw 'line 14,34 38,10' \
    -stroke none -fill '#13458B' -draw 'polygon 27,5 44,5 44,22' \
    "$tmp/run48.png"
convert "$tmp/run48.png" -resize 32x32 "$tmp/run32.png"
convert "$tmp/run48.png" -resize 16x16 "$tmp/run16.png"
convert "$tmp/run16.png" "$tmp/run32.png" "$tmp/run48.png" src/runbox/run.ico
echo "src/runbox/run.ico"
