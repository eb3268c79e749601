# The reference for the parameter-file round trip: the same text work in awk.
#   awk -f roundtrip.awk PARAMETER WORKING INTERNAL NEW
# Reads PARAMETER, writes WORKING (without the byte-order mark), the profile-form
# INTERNAL file (one numbered key per entry), then composes NEW from INTERNAL with
# the mark, quoted include entries and the destination line rebuilt. It handles the
# file as the editor writes it; what a hand-edited file needs is left out.
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
function unquote(s) {
  if (length(s) >= 2 && (substr(s, 1, 1) == "\"" || substr(s, 1, 1) == "'") && substr(s, length(s), 1) == substr(s, 1, 1))
    return substr(s, 2, length(s) - 2)
  return s
}
BEGIN {
  parameter = ARGV[1]; working = ARGV[2]; internal = ARGV[3]; out = ARGV[4]
  ORS = "\r\n"
  # 1. Working copy: the bytes without the mark.
  first = 1
  while ((getline line < parameter) > 0) {
    if (first && substr(line, 1, 3) == "\357\273\277") line = substr(line, 4)
    first = 0
    printf "%s\n", line > working
  }
  close(parameter); close(working)

  # 2. Internal file: the general block as it stands, then numbered keys.
  section = ""
  while ((getline line < working) > 0) {
    sub(/\r$/, "", line)
    if (line ~ /^\[/) {
      section = substr(line, 2, length(line) - 2); count = 0
      if (section == "general") print "[general]" > internal
      else { order[++sections] = section; print "" > internal; print line > internal }
      continue
    }
    if (line == "") { if (section == "general") print "" > internal; section = ""; continue }
    if (section == "general") { print line > internal; continue }
    if (section == "destination") {
      comma = index(line, ",")
      if (comma) {
        folder = substr(line, 1, comma - 1); sub(/ $/, "", folder)
        volume = substr(line, comma + 6); c2 = index(volume, ",")
        if (c2) { volume = substr(volume, 1, c2 - 1); sub(/ $/, "", volume) }
      } else { folder = line; volume = "" }
      print "000=" folder > internal; print "999=" volume > internal
      continue
    }
    if (section != "") printf "%03d=%s\r\n", count++, line > internal
  }
  close(working); close(internal)

  # 3. New parameter file from the internal file, read back as a profile.
  section = ""; general = 1
  printf "\357\273\277" > out
  while ((getline line < internal) > 0) {
    sub(/\r$/, "", line)
    if (general) { if (line == "") { general = 0; continue } print line > out; continue }
    if (line ~ /^\[/) { section = substr(line, 2, length(line) - 2); continue }
    eq = index(line, "=")
    if (eq && section != "") {
      key = section SUBSEP trim(substr(line, 1, eq - 1))
      if (!(key in value)) value[key] = unquote(trim(substr(line, eq + 1)))
    }
  }
  close(internal)
  for (i = 1; i <= sections; i++) {
    s = order[i]
    print "" > out; print "[" s "]" > out
    if (s == "destination") {
      line = "\"" value[s, "000"] "\""
      if (value[s, "999"] != "") line = line " ,name=" value[s, "999"] " , search"
      print line > out
      continue
    }
    for (n = 0; n < 100; n++) {
      key = s SUBSEP sprintf("%03d", n)
      if (!(key in value)) break
      v = value[key]
      if (s == "include" && substr(v, 1, 1) != "#") v = "\"" v "\""
      print v > out
    }
  }
  print "" > out; print "# eof" > out
  close(out)
}
