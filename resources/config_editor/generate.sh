#!/usr/bin/env bash
# Makes the configuration editor's pictures from the sources beside this script:
#   editor.ico (150), language.ico (151), question.bmp (152), pointer.cur (160),
#   new.bmp (NOUVEAUU), existing.bmp (ANCIENU)
# Usage: generate.sh <output folder>
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
out="$1"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
source "$src/../lib.sh"
page='#ece9d8'

to_ico "$src/icon.svg" "$out/editor.ico" "$tmp"
to_ico "$src/language.svg" "$out/language.ico" "$tmp"
for picture in question new existing; do
  rsvg-convert "$src/$picture.svg" -o "$tmp/$picture.png"
  to_bmp "$tmp/$picture.png" "$out/$picture.bmp" "$page"
done
# The same pointing hand as the launcher's rows.
to_cur "$src/../launcher/hand.svg" "$out/pointer.cur" 13 1 "$tmp"
