#!/usr/bin/env bash
# Makes the backup library's pictures from the templates beside this script:
#   feuxvert.bmp, feuxrouge.bmp (85x85), success.bmp, failure.bmp (501x34),
#   alarmu.bmp, alarmd.bmp (107x24), all 24-bit.
# Usage: generate.sh <output folder>
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
out="$1"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# SVG template + sed substitutions -> uncompressed 24-bit bottom-up BMP.
draw() {
  local template="$1" name="$2"; shift 2
  sed "$@" "$src/$template" > "$tmp/$name.svg"
  rsvg-convert "$tmp/$name.svg" -o "$tmp/$name.png"
  convert "$tmp/$name.png" -background '#ece9d8' -alpha remove -alpha off -type TrueColor BMP3:"$out/$name.bmp"
}

draw lights.svg.in feuxvert -e 's|@TOP@|off|' -e 's|@BOTTOM@|green|' -e 's|@GLOW@|#3cff3c|' -e 's|@GLOWY@|66|'
draw lights.svg.in feuxrouge -e 's|@TOP@|red|' -e 's|@BOTTOM@|off|' -e 's|@GLOW@|#ff4020|' -e 's|@GLOWY@|16|'
draw banner.svg.in success -e 's|@COLOUR@|#00b700|' -e 's|@TINT@|#d6f5d6|' -e 's|@SIGN@|M475,16.5 L480,21.5 L489,11|'
draw banner.svg.in failure -e 's|@COLOUR@|#ff0000|' -e 's|@TINT@|#ffd9d9|' -e 's|@SIGN@|M477,11 L487,21 M487,11 L477,21|'
draw alarm.svg.in alarmu -e 's|@LIGHT@|#ffffff|' -e 's|@DARK@|#000000|' -e 's|@LIGHT2@|#ffc0a0|' -e 's|@DARK2@|#a04010|' -e 's|@SHIFT@|0,0|'
draw alarm.svg.in alarmd -e 's|@LIGHT@|#000000|' -e 's|@DARK@|#ffffff|' -e 's|@LIGHT2@|#a04010|' -e 's|@DARK2@|#ffc0a0|' -e 's|@SHIFT@|1,1|'
