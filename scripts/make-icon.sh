#!/usr/bin/env bash
# Draws the program's icon (src/app/nimbrel.ico): a dark grey tile with three menu rows and an
# upward arrow, at 16, 32 and 48 pixels. Run by hand when the picture changes; the result is kept.
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
