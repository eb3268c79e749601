# Shared by the picture generators: PNG to the formats the resource compiler takes.
# Source it, then call the functions; each needs the tools of scripts/bootstrap.

# to_bmp <png> <bmp> <background>: uncompressed 24-bit bottom-up BMP, what a static
# bitmap control loads; transparency flattened onto the background colour.
to_bmp() {
  convert "$1" -background "$3" -alpha remove -alpha off -type TrueColor BMP3:"$2"
}

# to_ico <svg> <ico> <tmp folder>: an icon of 48, 32 and 16 pixels.
to_ico() {
  local s
  for s in 16 32 48; do rsvg-convert -w "$s" -h "$s" "$1" -o "$3/ico_$s.png"; done
  convert "$3/ico_16.png" "$3/ico_32.png" "$3/ico_48.png" "$2"
}

# to_cur <svg> <cur> <hot x> <hot y> <tmp folder>: a 32-pixel cursor. A cursor file
# is an icon file whose header says "cursor" and whose entry carries the hot spot
# where an icon keeps its planes and bit count.
to_cur() {
  rsvg-convert -w 32 -h 32 "$1" -o "$5/cur.png"
  convert "$5/cur.png" -define icon:auto-resize=32 "$5/cur.ico"
  printf '\x02\x00' | dd of="$5/cur.ico" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x "$3")\\x00\\x$(printf %02x "$4")\\x00" |
    dd of="$5/cur.ico" bs=1 seek=10 conv=notrunc status=none
  mv "$5/cur.ico" "$2"
}
