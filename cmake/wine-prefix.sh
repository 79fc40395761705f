#!/usr/bin/env bash
# Creates a Wine prefix for the tests once: Wine's own fonts, a serif face for
# Times New Roman, and one default virtual desktop of 1024 x 768 for every program.
# Usage: wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.bda-ready" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all
# No network here: keep wineboot from looking for Mono and Gecko.
export WINEDLLOVERRIDES="mscoree=;mshtml="
rm -rf "$prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
wineserver -w
touch "$prefix/.bda-ready"
