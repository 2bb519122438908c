#!/usr/bin/env bash
# Runs hosttrace on the native build (linked module) and on the real module
# under Wine, each in an empty folder with a gauges/ folder, and compares the
# traces byte for byte and the files the gauges wrote there (hours files;
# line ends aside, which differ by platform).
#
#   compare-traces.sh WORK_DIR NATIVE_HOSTTRACE MODULE.gau RUNNER... HOSTTRACE.exe
set -uo pipefail
work=$1
native=$2
module=$3
shift 3
program="${*: -1}"
runner=("${@:1:$#-1}")

if [ ! -x "$native" ]; then
  echo "compare-traces: $native is missing; build the native configuration first"
  exit 1
fi
rm -rf "$work"
mkdir -p "$work/native/gauges" "$work/wine/gauges"

(cd "$work/native" && "$native" -o trace.txt) || {
  echo "compare-traces: the native hosttrace failed"
  exit 1
}
# Wine maps the Unix root to drive Z:.
(cd "$work/wine" && "${runner[@]}" "$program" --module "Z:$module" -o trace.txt) || {
  echo "compare-traces: hosttrace under Wine failed"
  exit 1
}

status=0
if cmp -s "$work/native/trace.txt" "$work/wine/trace.txt"; then
  echo "traces identical: $(wc -l <"$work/native/trace.txt") lines," \
    "$(grep -c '^gauge ' "$work/native/trace.txt") gauge runs"
else
  echo "compare-traces: the traces differ (native -, Wine +; both in $work):"
  diff -u "$work/native/trace.txt" "$work/wine/trace.txt" | head -n 80
  status=1
fi

native_files=$(cd "$work/native/gauges" && ls -A)
wine_files=$(cd "$work/wine/gauges" && ls -A)
if [ "$native_files" != "$wine_files" ]; then
  echo "compare-traces: the gauges wrote different files: native [$native_files], Wine [$wine_files]"
  status=1
else
  while IFS= read -r name; do
    [ -n "$name" ] || continue
    if ! cmp -s <(tr -d '\r' <"$work/native/gauges/$name") <(tr -d '\r' <"$work/wine/gauges/$name"); then
      echo "compare-traces: gauges/$name differs"
      status=1
    fi
  done <<<"$native_files"
fi
exit $status
