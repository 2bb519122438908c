#!/usr/bin/env bash
# Draws docs/gauges/switches.png: the switches all off, then all on (magneto
# key at BOTH, starter engaged) by day, above the same two by night.
#
#   scripts/gallery-switches.sh [BUILD_DIR]    (default build/native)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd)
gaugeview=$build/gaugeview
stack=$root/scripts/stack-png.py
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Magnetos, starter, battery, avionics, then the lights and the pitot heat.
tokens=(399 400 401 364 740 10 619 368 11 14 13)
off=() on=()
for token in "${tokens[@]}"; do
  off+=(--set "$token=0")
  on+=(--set "$token=1")
done
panel=$root/panels/gallery-switches.cfg
"$gaugeview" panel "$panel" "${off[@]}" -o "$scratch/day-off.png" --quiet --strict
"$gaugeview" panel "$panel" "${on[@]}" -o "$scratch/day-on.png" --quiet --strict
"$gaugeview" panel "$panel" "${off[@]}" --night -o "$scratch/night-off.png" --quiet --strict
"$gaugeview" panel "$panel" "${on[@]}" --night -o "$scratch/night-on.png" --quiet --strict
python3 "$stack" --gap 0 -o "$root/docs/gauges/switches.png" "$scratch/day-off.png" \
  "$scratch/day-on.png" "$scratch/night-off.png" "$scratch/night-on.png"
echo "wrote docs/gauges/switches.png"
