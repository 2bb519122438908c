#!/usr/bin/env bash
# Draws docs/gauges/flight.png: each flight instrument at two telling values,
# by day (upper rows) above the same by night with the panel lights on.
#
#   scripts/gallery-flight.sh [BUILD_DIR]    (default build/native)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd)
gaugeview=$build/gaugeview
stack=$root/scripts/stack-png.py
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One row: "GAUGE WIDTH TOKEN=VALUE..." per picture, drawn by day or night.
row() {
  local mode=$1 out=$2
  shift 2
  local pictures=() n=0
  for shot in "$@"; do
    read -r -a words <<<"$shot"
    local sets=()
    for s in "${words[@]:2}"; do sets+=(--set "$s"); done
    [[ $mode == night ]] && sets+=(--night --set 10=1)
    n=$((n + 1))
    "$gaugeview" render "${words[0]}" --width "${words[1]}" "${sets[@]}" \
      -o "$scratch/$out-$n.png" --quiet
    pictures+=("$scratch/$out-$n.png")
  done
  python3 "$stack" --across --gap 8 -o "$scratch/$out.png" "${pictures[@]}"
}

# The mph needle on its 40 mph mark and held at 200 mph; the altimeter at
# 1,250 ft on standard pressure (the low-altitude flag showing) and at
# 10,500 ft (the flag covered); the horizon diving in a steep bank and
# climbing in the other; the compass on N and E.
upper=("Airspeed_Mph 130 61=34.752" "Airspeed_Mph 130 61=190" "Airspeed_Kts 130 61=100"
       "Altimeter 130 74=1250 75=1013.25 76=29.92" "Altimeter 130 74=10500 75=990 76=29.23"
       "Attitude 120 78=-10 80=60" "Attitude 120 78=25 80=-45"
       "Magnetic_Compass 110 83=0" "Magnetic_Compass 110 83=90")
# A standard-rate turn with the ball out, a full-scale turn; 1,000 ft/min up
# and beyond the stop down; the gyro at north and at 235 with the marker on
# 200; the gyro compass at north and east.
lower=("Turn_Coordinator 130 70=576 69=64" "Turn_Coordinator 130 70=-2000 69=-110"
       "Vertical_Speed 130 65=1300.48" "Vertical_Speed 130 65=-5000"
       "Directionnal_Gyro 130 84=0 855=30" "Directionnal_Gyro 130 84=235 855=200 85=4000"
       "Gyro_Compass 100 84=0" "Gyro_Compass 100 84=90")
for mode in day night; do
  row "$mode" "$mode-upper" "${upper[@]}"
  row "$mode" "$mode-lower" "${lower[@]}"
done
python3 "$stack" --gap 8 -o "$root/docs/gauges/flight.png" "$scratch/day-upper.png" \
  "$scratch/day-lower.png" "$scratch/night-upper.png" "$scratch/night-lower.png"
echo "wrote docs/gauges/flight.png"
