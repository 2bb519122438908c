#!/usr/bin/env bash
# The FlightGear table has a row for every token the panel shows (the
# complete flight state panels/cruise.state sets them all) and for every key
# event the gauges fire (the stand-in host's table of events, the events of
# the hotspots' parameter strings and the gauges' own), and docs/flightgear.md
# shows that table.
#
#   check-flightgear-table.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
events=$(mktemp)
trap 'rm -f "$events"' EXIT
{
  grep -ohE '^\s*\{6[56][0-9]{3},' "$source_dir/host/key_events.cpp"
  grep -ohE '= 6[56][0-9]{3};' "$source_dir"/params/params.h "$source_dir"/gauges/*/*.cpp
  # Events the stand-in host records without applying, named in its comment.
  sed -n '/Events not here are recorded only/,/^constexpr/p' "$source_dir/host/key_events.cpp" |
    grep -oE '\b6[56][0-9]{3}\b'
} | grep -oE '[0-9]+' | sort -u >"$events"
if [ "$(wc -l <"$events")" -lt 40 ]; then
  echo "check-flightgear-table: found only $(wc -l <"$events") events in the sources" >&2
  exit 1
fi
exec node "$source_dir/web/flightgear-table-check.js" --tokens "$source_dir/panels/cruise.state" \
  --events "$events" --doc "$source_dir/docs/flightgear.md"
