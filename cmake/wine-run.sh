#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the given prefix (created on first use).
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
prefix=$1
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# A crash ends the program at once with a failure code: on a display Wine's debugger
# would open its crash dialog and wait for a user who is not there.
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec wine "$@"
