#!/usr/bin/env bash
# The program's main window, headless: starts VoiceMail.exe on the session's display, saves
# a screenshot of the window, closes it with its Exit button and prints what it wrote.
# Runs inside cmake/session.sh (DISPLAY and WINEPREFIX set). Usage: demo.sh BUILD_DIR
set -euo pipefail
build=$1
out=$build/demo
mkdir -p "$out"
shot=$out/main-window.png
inspect() { wine "$build/tools/inspect/inspect.exe" "Brevilo Dorar Adar" "$@" 2>/dev/null | tr -d '\r'; }
value() { sed -n "s/^$1=//p"; }

xdotool mousemove 300 300
wine "$build/src/app/VoiceMail.exe" &
program=$!
form=""
for _ in $(seq 100); do
  form=$(inspect) && [ -n "$form" ] && break
  sleep 0.2
done
[ -n "$form" ] || { echo "The main window did not appear." >&2; kill $program; exit 1; }
sleep 1  # the first paint
left=$(value left <<<"$form"); top=$(value top <<<"$form")
width=$(value width <<<"$form"); height=$(value height <<<"$form")
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot"

exit_button=$(inspect btnExit)
x=$(( $(value screenleft <<<"$exit_button") + $(value width <<<"$exit_button") / 2 ))
y=$(( $(value screentop <<<"$exit_button") + $(value height <<<"$exit_button") / 2 ))
xdotool mousemove "$x" "$y" sleep 0.3 click 1
wait $program

echo "Screenshot of the main window: $(realpath "$shot")"
echo "Settings the program wrote:"
wine reg query 'HKCU\Software\Brevilo\Dorar Adar' 2>/dev/null | tr -d '\r'
