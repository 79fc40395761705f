#!/usr/bin/env bash
# Runs VoiceMail.exe under Wine until it is closed: on the user's display when there is
# one, else on the Xvfb display of the session. Runs inside cmake/session.sh.
# Usage: run.sh BUILD_DIR
set -euo pipefail
build=$1
if [ "${BDA_KEEP_DISPLAY:-0}" != 1 ]; then
  echo "No display of yours: the program runs on the Xvfb display $DISPLAY."
  echo "See it with: DISPLAY=$DISPLAY import -window root shot.png   (or x11vnc -display $DISPLAY)"
  echo "Close it from the tool bar's Exit button, or press Ctrl+C here."
fi
wine "$build/src/app/VoiceMail.exe"
