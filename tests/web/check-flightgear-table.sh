#!/usr/bin/env bash
# The FlightGear table has a row for every token variable and every key
# event of the catalogue (what the 51 gauges read and fire), and
# docs/flightgear.md shows that table.
#
#   check-flightgear-table.sh SOURCE_DIR GAUGEVIEW
set -euo pipefail
source_dir=$1
gaugeview=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gaugeview" catalogue --json >"$work/catalogue.json"
node -e '
  const fs = require("fs");
  const catalogue = JSON.parse(fs.readFileSync(process.argv[1], "utf8"));
  fs.writeFileSync(process.argv[2], catalogue.tokens.map((t) => t.number).join("\n") + "\n");
  fs.writeFileSync(process.argv[3], catalogue.key_events.map((e) => e.number).join("\n") + "\n");
' "$work/catalogue.json" "$work/tokens" "$work/events"
exec node "$source_dir/web/flightgear-table-check.js" --tokens "$work/tokens" \
  --events "$work/events" --doc "$source_dir/docs/flightgear.md"
