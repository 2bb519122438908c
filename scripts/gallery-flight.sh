#!/bin/sh
# Draws docs/gauges/flight.png: each flight instrument at two telling values,
# by day (upper rows) and by night with the panel lights on (lower rows).
# usage: scripts/gallery-flight.sh [BUILD_DIR]   (default build/native)
set -e
build=${1:-build/native}
out=$(mktemp -d)
shot() {  # NAME WIDTH MODE SETTINGS...
  name=$1 width=$2 mode=$3; shift 3
  file=$(mktemp "$out/shot.XXXXXX").png
  sets=""
  for s in "$@"; do sets="$sets --set $s"; done
  if [ "$mode" = night ]; then sets="$sets --night --set 10=1"; fi
  # shellcheck disable=SC2086
  "$build/gaugeview" render "$name" -o "$file" --width "$width" --quiet $sets
  printf '%s' "$file"
}
row() {  # MODE HALF: the gallery's row of one half of the instruments
  mode=$1
  if [ "$2" = 1 ]; then
    printf '%s,' "$(shot Airspeed_Mph 130 "$mode" 61=34.752)" "$(shot Airspeed_Mph 130 "$mode" 61=190)" \
      "$(shot Airspeed_Kts 130 "$mode" 61=100)" \
      "$(shot Altimeter 130 "$mode" 74=1250 75=1013.25 76=29.92)" \
      "$(shot Altimeter 130 "$mode" 74=10500 75=990 76=29.23)" \
      "$(shot Attitude 120 "$mode" 78=10 80=30)" "$(shot Attitude 120 "$mode" 78=-20 80=-45 612=50)" \
      "$(shot Magnetic_Compass 110 "$mode" 83=0)"
    shot Magnetic_Compass 110 "$mode" 83=90
  else
    printf '%s,' "$(shot Turn_Coordinator 130 "$mode" 70=576 69=64)" \
      "$(shot Turn_Coordinator 130 "$mode" 70=-2000 69=-110)" \
      "$(shot Vertical_Speed 130 "$mode" 65=1300.48)" "$(shot Vertical_Speed 130 "$mode" 65=-5000)" \
      "$(shot Directionnal_Gyro 130 "$mode" 84=0 855=30)" \
      "$(shot Directionnal_Gyro 130 "$mode" 84=235 855=200 85=4000)" \
      "$(shot Gyro_Compass 100 "$mode" 84=0)"
    shot Gyro_Compass 100 "$mode" 84=90
  fi
}
mkdir -p docs/gauges
python3 "$(dirname "$0")/gauge_gallery.py" docs/gauges/flight.png \
  "$(row day 1)" "$(row day 2)" "$(row night 1)" "$(row night 2)"
rm -r "$out"
