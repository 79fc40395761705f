#!/usr/bin/env bash
# Writes shortcuts with ShLinks under Wine and reads them back with lnkinfo (liblnk), an
# independent reader of the file format. lnkinfo 20181227 prints 0 for every hot key, so the
# hot key is read from the file header itself (16-bit little-endian at offset 0x40).
# Usage: lnkinfo_reads_our_links.sh MAKE_LINK_EXE WORK_DIR
set -uo pipefail
make_link=$1
work=$2
rm -rf "$work"
mkdir -p "$work/bin"
: >"$work/bin/VoiceMail.exe"
: >"$work/bin/Icons.dll"
win() { echo "Z:${1//\//\\}"; }
failures=0
field() { grep -E "^\s+$1\s*:" <<<"$2" | head -1 | sed -E 's/^[^:]+:\s?//'; }
expect() {
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: lnkinfo shows '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}

# name | arguments | description | icon file | icon index | hot key
cases=(
  "Dorar Adar.lnk|/quiet \"two words\"|Record a voice message|Icons.dll|3|0x0652"
  "Plain.lnk|-x|Dorar Adar|VoiceMail.exe|0|0x017B"
  "No Hot Key.lnk|||Icons.dll|12|0"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name args desc icon index hotkey <<<"$c"
  folder="$work/links/new folder"
  target=$(win "$work/bin/VoiceMail.exe")
  if ! wine "$make_link" "$(win "$folder")" "$name" "$target" "$args" "$(win "$work/bin")" \
      "$desc" "$(win "$work/bin/$icon")" "$index" "$hotkey" >/dev/null 2>&1; then
    echo "FAIL $name: make_link failed"
    failures=$((failures + 1))
    continue
  fi
  info=$(lnkinfo "$folder/$name" 2>/dev/null)
  expect "$name target" "$(field 'Local path' "$info")" "$target"
  expect "$name working folder" "$(field 'Working directory' "$info")" "$(win "$work/bin")"
  expect "$name arguments" "$(field 'Command line arguments' "$info")" "$args"
  expect "$name description" "$(field 'Description' "$info")" "$desc"
  expect "$name icon" "$(field 'Icon location' "$info")" "$(win "$work/bin/$icon")"
  expect "$name icon index" "$(field 'Icon index' "$info")" "$index"
  header_hotkey=$(od -An -tu2 -j64 -N2 "$folder/$name" | tr -d ' ')
  expect "$name hot key" "$header_hotkey" "$((hotkey))"
done
[ "$failures" -eq 0 ] && echo "all links read back as written"
exit "$failures"
