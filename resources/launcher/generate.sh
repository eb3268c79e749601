#!/usr/bin/env bash
# Makes the launcher's pictures from the sources beside this script:
#   background.bmp, label_111.bmp ... label_126.bmp (24-bit), launcher.ico, hand.cur
# Usage: generate.sh <output folder>
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
out="$1"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
parchment='#f4e9cf'

# PNG -> uncompressed 24-bit bottom-up BMP, what a static bitmap control loads.
to_bmp() {
  convert "$1" -background "$parchment" -alpha remove -alpha off -type TrueColor BMP3:"$2"
}

rsvg-convert "$src/background.svg" -o "$tmp/background.png"
to_bmp "$tmp/background.png" "$out/background.bmp"

# id | width | text. Each text gives two pictures: plain (odd id) and underlined (even id).
size=16
while IFS='|' read -r id width text; do
  [[ -z "$id" ]] && continue
  for variant in 0 1; do
    decoration=none
    if ((variant)); then decoration=underline; fi
    n=$((id + variant))
    sed -e "s|@WIDTH@|$width|g" -e "s|@SIZE@|$size|" -e "s|@DECORATION@|$decoration|" \
        -e "s|@TEXT@|$text|" "$src/label.svg.in" > "$tmp/label_$n.svg"
    rsvg-convert "$tmp/label_$n.svg" -o "$tmp/label_$n.png"
    to_bmp "$tmp/label_$n.png" "$out/label_$n.bmp"
  done
done <<'LABELS'
111|405|Configuration des paramètres de la sauvegarde
113|405|Sauvegarde
115|405|Restauration des fichiers compressés ou cryptés
117|405|Liste des fichiers périmés
119|405|Configuration of backup settings
121|405|Backup
123|400|Restore compressed or crypted files
125|405|List of obsolete files
LABELS

# Icon: 48, 32 and 16 pixels.
for s in 16 32 48; do rsvg-convert -w "$s" -h "$s" "$src/icon.svg" -o "$tmp/icon_$s.png"; done
convert "$tmp/icon_16.png" "$tmp/icon_32.png" "$tmp/icon_48.png" "$out/launcher.ico"

# Cursor: an icon file whose header says "cursor" and whose entry carries the hot spot
# (13,1) where an icon keeps its planes and bit count.
rsvg-convert -w 32 -h 32 "$src/hand.svg" -o "$tmp/hand.png"
convert "$tmp/hand.png" -define icon:auto-resize=32 "$tmp/hand.ico"
cp "$tmp/hand.ico" "$tmp/hand.cur"
printf '\x02\x00' | dd of="$tmp/hand.cur" bs=1 seek=2 conv=notrunc status=none
printf '\x0d\x00\x01\x00' | dd of="$tmp/hand.cur" bs=1 seek=10 conv=notrunc status=none
mv "$tmp/hand.cur" "$out/hand.cur"
