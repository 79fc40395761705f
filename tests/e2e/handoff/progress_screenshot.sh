#!/usr/bin/env bash
# Shows the progress window over the main window and saves a screenshot of the display.
# Runs inside cmake/session.sh. Usage: progress_screenshot.sh PROGRAM SHOT.png
set -uo pipefail
program=$1
shot=$2
mkdir -p "$(dirname "$shot")"
xdotool mousemove 512 300
wine "$program" 4000 &
pid=$!
sleep 2.5
import -window root "$shot"
wait "$pid"
rc=$?
echo "screenshot: $shot"
exit "$rc"
