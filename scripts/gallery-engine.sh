#!/usr/bin/env bash
# Draws docs/gauges/engine.png: the engine, fuel and systems instruments by
# day above the same by night, and under them the hour meter rolling from
# 999.99 to 1000.0 hours, as a mechanical counter does.
#
#   scripts/gallery-engine.sh [BUILD_DIR]    (default build/native)
#
# gaugeview runs in a scratch folder, so the hour meter's hours file
# (gauges/gallery.fhr) is made and rewritten there, never beside the sources.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd)
gaugeview=$build/gaugeview
stack=$root/scripts/stack-png.py
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/gauges"
cd "$scratch"

# Cruise, with the front tank nearly dry (the low-fuel lamp in its lit half
# of a blink), the stall warning on and the engine hot.
state=(--state "$root/panels/cruise.state" --set 291=300000 --set 604=0.4 --set 67=1
       --set 415=869.67 --set 341=-2 --set 390=2450 --set 751=-6)
echo 1234.5 >gauges/gallery.fhr
"$gaugeview" panel "$root/panels/gallery-engine.cfg" "${state[@]}" -o day.png --quiet
echo 1234.5 >gauges/gallery.fhr
"$gaugeview" panel "$root/panels/gallery-engine.cfg" "${state[@]}" --night --set 10=1 \
  -o night.png --quiet

frames=()
for hours in 999.99 999.9925 999.995 999.9975 1000; do
  echo "$hours" >gauges/roll.fhr
  "$gaugeview" render Hourmeter --param roll --lang en --width 160 -o "roll-$hours.png" --quiet
  frames+=("roll-$hours.png")
done
python3 "$stack" --across --gap 4 -o roll.png "${frames[@]}"
python3 "$stack" --gap 0 -o "$root/docs/gauges/engine.png" day.png night.png roll.png
echo "wrote docs/gauges/engine.png"
