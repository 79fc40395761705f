#!/usr/bin/env bash
# The module compiler as a translator uses it: compile each English source, print the
# module back and get the same text; faults end with a message and a non-zero exit.
# Usage: mlsc_cli.sh MLSC SOURCE_DIR
set -uo pipefail
mlsc=$1
sources=$2/resources/mls
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for src in "$sources"/*_enu.txt; do
  name=$(basename "$src" _enu.txt)
  "$mlsc" compile "$src" "$work/${name}_enu.mls" || fail "compile $name"
  tail -c 3 "$work/${name}_enu.mls" | grep -q '^MLS$' || fail "$name does not end in its trailer"
  "$mlsc" print "$work/${name}_enu.mls" > "$work/$name.txt" || fail "print $name"
  grep -v '^#' "$src" | diff - "$work/$name.txt" || fail "$name printed differs from its source"
  "$mlsc" print "$work/${name}_enu.mls" "$work/$name.2.txt" && cmp -s "$work/$name.txt" "$work/$name.2.txt" \
    || fail "print to a file differs from the standard output"
done

# Same source, same time: the same bytes.
SOURCE_DATE_EPOCH=0 "$mlsc" compile "$sources/SoundRec_enu.txt" "$work/a.mls"
SOURCE_DATE_EPOCH=0 "$mlsc" compile "$sources/SoundRec_enu.txt" "$work/b.mls"
cmp -s "$work/a.mls" "$work/b.mls" || fail "compiling is not reproducible"
[ "$(stat -c %s "$work/a.mls")" = 467 ] || fail "SoundRec is not 467 bytes"

printf 'module X\nlanguage enu\ncount 2\n0=a\n' > "$work/bad.txt"
out=$("$mlsc" compile "$work/bad.txt" "$work/bad.mls" 2>&1); rc=$?
[ $rc = 1 ] && [[ $out == *"line 4: entry 1 is missing"* ]] || fail "missing entry: rc $rc, $out"
[ ! -e "$work/bad.mls" ] || fail "a failed compile wrote a module"
head -c 100 "$work/a.mls" > "$work/cut.mls"
out=$("$mlsc" print "$work/cut.mls" 2>&1); rc=$?
[ $rc = 1 ] && [[ $out == *"Invalid MLS Module format. (Error Code MLS253)"* ]] || fail "cut module: rc $rc, $out"
"$mlsc" > /dev/null 2>&1; [ $? = 2 ] || fail "no arguments must be a usage error"
"$mlsc" --help | grep -q '\^\^' || fail "help does not describe the escapes"
echo "mlsc command line: all passed"
