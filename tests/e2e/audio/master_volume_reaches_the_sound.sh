#!/usr/bin/env bash
# The master volume that the mixer unit writes, as the sound reaches PulseAudio: a tone
# played at each volume is recorded from the null sink's monitor (parec) and its peak
# amplitude measured by sox. Wine's mixer scales the program's own streams; the sink's
# volume itself (pactl) stays where it is.
# Usage: master_volume_reaches_the_sound.sh PLAY_AT_VOLUME_EXE WORK_DIR
set -uo pipefail
exe=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
win() { echo "Z:${1//\//\\}"; }
sox -n -r 44100 -c 1 -b 16 "$work/tone.wav" synth 1.5 sine 440 vol 0.8
failures=0
sink_before=$(pactl get-sink-volume nul | head -1)
# percent | read back | expected peak amplitude (0.8 × percent × 65535 / 100 / 65535)
cases=("100|100|0.800" "50|49|0.400" "25|24|0.200" "0|0|0.000")
for c in "${cases[@]}"; do
  IFS='|' read -r percent readback peak <<<"$c"
  parec -d nul.monitor --file-format=wav "$work/rec.wav" &
  rec=$!
  sleep 0.3
  got=$(wine "$exe" "$percent" "$(win "$work/tone.wav")" 2>/dev/null | tr -d '\r')
  sleep 0.3
  kill "$rec"
  wait "$rec" 2>/dev/null
  measured=$(sox "$work/rec.wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
  if [ "$got" != "$readback" ]; then
    echo "FAIL $percent %: read back $got, expected $readback"
    failures=$((failures + 1))
  fi
  if ! awk -v m="$measured" -v e="$peak" 'BEGIN { exit !(m - e < 0.01 && e - m < 0.01) }'; then
    echo "FAIL $percent %: peak amplitude $measured, expected $peak"
    failures=$((failures + 1))
  else
    echo "$percent %: read back $got, peak amplitude $measured"
  fi
done
sink_after=$(pactl get-sink-volume nul | head -1)
echo "sink volume before: $sink_before"
echo "sink volume after:  $sink_after"
exit "$failures"
