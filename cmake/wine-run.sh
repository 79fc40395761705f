#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the given prefix (created on first use).
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
prefix=$1
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
