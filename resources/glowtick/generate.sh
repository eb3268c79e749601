#!/usr/bin/env bash
# Makes Glowtick's pictures from the sources beside this script (24-bit BMP):
#   leds_off.bmp (203), leds_green_yellow.bmp (204), leds_yellow_green.bmp (205),
#   background.bmp (206)
# Usage: generate.sh <output folder>
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
out="$1"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
page='#ece9d8'

to_bmp() {
  convert "$1" -background "$page" -alpha remove -alpha off -type TrueColor BMP3:"$2"
}

# name | left colour (body shine edge) | right colour (body shine edge)
off="#ece9d8 #f6f4ea #d9d5c0"
green="#00ff00 #d9ffd9 #00a000"
yellow="#ffff00 #ffffe0 #b0b000"
while IFS='|' read -r name left right; do
  [[ -z "$name" ]] && continue
  read -r l ls le <<<"$left"
  read -r r rs re <<<"$right"
  sed -e "s|@LEFT@|$l|" -e "s|@LEFT_SHINE@|$ls|" -e "s|@LEFT_EDGE@|$le|" \
      -e "s|@RIGHT@|$r|" -e "s|@RIGHT_SHINE@|$rs|" -e "s|@RIGHT_EDGE@|$re|" \
      "$src/leds.svg.in" > "$tmp/$name.svg"
  rsvg-convert "$tmp/$name.svg" -o "$tmp/$name.png"
  to_bmp "$tmp/$name.png" "$out/$name.bmp"
done <<LEDS
leds_off|$off|$off
leds_green_yellow|$green|$yellow
leds_yellow_green|$yellow|$green
LEDS

rsvg-convert "$src/background.svg" -o "$tmp/background.png"
to_bmp "$tmp/background.png" "$out/background.bmp"
