#!/usr/bin/env bash
# Draws the program icon (a bold white "á" on a blue rounded square, 256x256, 32-bit) and wraps
# it, PNG-compressed, as the single image of tildario.ico. Run again after changing the drawing;
# both outputs are committed so that the build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf  # Debian package fonts-dejavu-core
convert=/usr/bin/convert

"$convert" -size 256x256 xc:none \
  -fill '#1d5fbf' -draw 'roundrectangle 8,8 247,247 48,48' \
  -fill '#ffffff' -stroke '#ffffff' -strokewidth 8 -font "$font" -pointsize 215 -gravity center -annotate +0+4 'á' \
  -define png:color-type=6 -strip png32:tildario.png.tmp
mv tildario.png.tmp tildario.png

# ICONDIR (reserved 0, type 1, one image) and one ICONDIRENTRY: width and height 0 mean 256,
# no palette, 1 plane, 32 bits, then the PNG's size and offset 22.
size=$(stat -c %s tildario.png)
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
{
  printf '\x00\x00\x01\x00\x01\x00'
  printf '\x00\x00\x00\x00\x01\x00\x20\x00'
  le32 "$size"
  le32 22
  cat tildario.png
} > tildario.ico
