#!/usr/bin/env bash
# Runs a command with what the Windows tests need around it, and stops it all afterwards:
# an Xvfb display (unless BDA_KEEP_DISPLAY=1 and DISPLAY is set), a private PulseAudio
# with a null sink whose monitor is the default source, and a persistent wineserver for PREFIX.
# Usage: session.sh PREFIX COMMAND [ARGS...]
set -uo pipefail
prefix=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$prefix" || exit 1

work=$(mktemp -d /tmp/bda-session.XXXXXX)
chmod 700 "$work"
pids=()
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  [ -n "${XDG_RUNTIME_DIR:-}" ] && [ "$XDG_RUNTIME_DIR" = "$work/run" ] && pulseaudio -k 2>/dev/null
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${BDA_KEEP_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(cat "$work/display")"
fi

mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load=module-native-protocol-unix \
  --load="module-null-sink sink_name=nul" --load=module-always-sink 2>"$work/pulse.log" \
  || { echo "PulseAudio did not start" >&2; cat "$work/pulse.log" >&2; exit 1; }
pactl set-default-sink nul
pactl set-default-source nul.monitor

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# A crash ends the program at once with a failure code: on a display Wine's debugger
# would open its crash dialog and wait for a user who is not there.
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
wineserver -p
# Start Wine's services and the desktop window now, with no pipe of ours open: a service
# started by a test program would inherit its output pipe and keep ctest waiting.
wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 </dev/null &
pids+=($!)
wine cmd /c exit >/dev/null 2>&1 </dev/null

"$@"
