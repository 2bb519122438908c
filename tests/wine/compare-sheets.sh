#!/usr/bin/env bash
# Draws gaugeview's sheet of every gauge on the native build and, under
# Wine, from the real module's resources, by day in French and by night in
# English, and compares the decoded pixels.
#
#   compare-sheets.sh WORK_DIR NATIVE_GAUGEVIEW SAME_PIXELS MODULE.gau RUNNER... GAUGEVIEW.exe
set -uo pipefail
work=$1
native=$2
same_pixels=$3
module=$4
shift 4
program="${*: -1}"
runner=("${@:1:$#-1}")

for tool in "$native" "$same_pixels"; do
  if [ ! -x "$tool" ]; then
    echo "compare-sheets: $tool is missing; build the native configuration first"
    exit 1
  fi
done
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

status=0
for variant in day night-en; do
  options=()
  [ "$variant" = night-en ] && options=(--night --lang en)
  if ! "$native" sheet -o "native-$variant.png" --quiet "${options[@]}"; then
    echo "compare-sheets: the native sheet ($variant) failed"
    status=1
    continue
  fi
  # Wine maps the Unix root to drive Z:.
  if ! "${runner[@]}" "$program" sheet -o "wine-$variant.png" --quiet --module "Z:$module" \
    "${options[@]}"; then
    echo "compare-sheets: the sheet under Wine ($variant) failed"
    status=1
    continue
  fi
  echo -n "$variant: "
  "$same_pixels" "native-$variant.png" "wine-$variant.png" || status=1
done
exit $status
