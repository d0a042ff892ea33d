#!/usr/bin/env bash
# Draws the about window's two JPEG pictures (80 x 80) with ImageMagick:
# the program's picture (the window icon's knight on its chequer, enlarged)
# and the author's picture (a drawn bust, as the team has no single face).
#   bash tools/make_about_pictures.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/resources/pictures"
mkdir -p "$out"

convert "$root/resources/icons/viltron.xpm" -filter point -resize 80x80 \
  -strip -quality 90 "$out/program.jpg"

convert -size 80x80 gradient:'#9fc4e8'-'#e8f1fa' \
  -fill '#2f3b4a' -draw 'ellipse 40 86 30 24 180 360' \
  -fill '#e9c7a4' -draw 'rectangle 35 52 45 64' \
  -fill '#e9c7a4' -draw 'ellipse 40 38 15 18 0 360' \
  -fill '#5a3b22' -draw 'ellipse 40 27 16 10 180 360' \
  -fill '#2b2b2b' -draw 'circle 34 38 35 38' -draw 'circle 46 38 47 38' \
  -stroke '#8a4b3a' -strokewidth 1.5 -fill none -draw 'arc 33 41 47 50 20 160' \
  -strip -quality 90 "$out/author.jpg"
