#!/bin/sh
# Instruction counts per frame under callgrind, which a loaded machine does
# not change: the default panel's update split into module and host code,
# its render day and night, and copies of one gauge, update and render.
#   bench/callgrind_figures.sh [BUILD_DIR]   (default build/native)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build/native}
frames_bin=$build/bench/tavrel_panel_frames
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Instructions of measured_frames over FRAMES frames: prints the split.
profile() {
  frames=$1
  shift
  valgrind --tool=callgrind --dump-instr=no --toggle-collect='measured_frames(*' \
    --callgrind-out-file="$out/cg.out" "$frames_bin" --frames "$frames" "$@" >/dev/null 2>&1
  python3 "$source_dir/bench/callgrind_split.py" "$out/cg.out" "$source_dir" "$frames" "${TOP:+--top}" ${TOP:-}
}

echo "== default panel, update only (100 frames)"
profile 100
echo "== default panel, update and render, day (5 frames)"
profile 5 --render
echo "== default panel, update and render, night, panel lights on (5 frames)"
profile 5 --render --night
echo "== default panel, update and render in the reference mode, day (2 frames)"
profile 2 --render --reference
echo "== default panel, update and render in the reference mode, night (2 frames)"
profile 2 --render --reference --night
for n in 1 10 51 200; do
  echo "== $n copies of Airspeed_Kts at 140 px, update only (100 frames)"
  profile 100 --copies "$n"
  echo "== $n copies of Airspeed_Kts at 140 px, update and render (3 frames)"
  profile 3 --copies "$n" --render
done
