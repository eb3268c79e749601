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
source "$src/../lib.sh"
parchment='#f4e9cf'

rsvg-convert "$src/background.svg" -o "$tmp/background.png"
to_bmp "$tmp/background.png" "$out/background.bmp" "$parchment"

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
    to_bmp "$tmp/label_$n.png" "$out/label_$n.bmp" "$parchment"
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

# Icon: 48, 32 and 16 pixels; cursor with the tip of the index finger as hot spot.
to_ico "$src/icon.svg" "$out/launcher.ico" "$tmp"
to_cur "$src/hand.svg" "$out/hand.cur" 13 1 "$tmp"
