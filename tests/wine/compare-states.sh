#!/usr/bin/env bash
# Runs `gaugeview state` for every gauge of the module, with a few flight
# states, updates, parameter strings and failures, on the native build and
# on the real module under Wine, and compares the outputs and exit codes
# byte for byte. The Wine runs share one Wine session: one batch file of
# them, run by Wine's cmd.
#
#   compare-states.sh WORK_DIR NATIVE_GAUGEVIEW STATE_FILE MODULE.gau RUNNER... GAUGEVIEW.exe
set -uo pipefail
work=$1
native=$2
state_file=$3
module=$4
shift 4
program="${*: -1}"
runner=("${@:1:$#-1}")

if [ ! -x "$native" ]; then
  echo "compare-states: $native is missing; build the native configuration first"
  exit 1
fi
if [ ! -f "$state_file" ]; then
  echo "compare-states: no state file $state_file"
  exit 1
fi
absolute() {
  printf '%s/%s' "$(cd "$(dirname "$1")" && pwd)" "$(basename "$1")"
}
native=$(absolute "$native")
state_file=$(absolute "$state_file")
rm -rf "$work"
mkdir -p "$work/native/gauges" "$work/wine/gauges"
work=$(cd "$work" && pwd)

# Wine maps the Unix root to drive Z:.
windows_path() {
  local path
  path=$(absolute "$1")
  printf 'Z:%s' "${path//\//\\}"
}

mapfile -t gauges < <("$native" list | awk 'NR > 1 { print $2 }')
if [ ${#gauges[@]} -eq 0 ]; then
  echo "compare-states: the native gaugeview lists no gauges"
  exit 1
fi

# The cases: a name, whether the instance gets the parameter string below,
# and the options after the gauge name. STATE stands for the state file
# (each side names it its own way). Non-finite values and enumerated tokens
# (307, 355, 46) far outside their range are among the settings.
parameters="tF_GTAV r200 g100 b1310 hTOGGLE_GPS_WINDOW aGPS_PANEL o50 c75 p-2 fDejaVu Sans"
case_names=(plain cruise cruise-param odd failed-param)
case_params=(no no yes no yes)
case_options=(
  ""
  "--state STATE"
  "--state STATE"
  "--state STATE --set 61=nan --set 307=1e12 --set 355=-1e12 --set 46=inf --next --set 364=0 --set 61=-inf --set 74=1e20 --next --set 84=-725.5 --set 307=2"
  "--state STATE --fail 20 --fail 21 --next --set 61=150 --set 84=270"
)

native_status="$work/native/status.txt"
: >"$native_status"
batch="$work/wine/run.bat"
{
  printf '@echo off\r\n'
  printf 'cd /d "%s"\r\n' "$(windows_path "$work/wine")"
} >"$batch"
wine_program=$(windows_path "$program")
wine_module=$(windows_path "$module")
wine_state=$(windows_path "$state_file")
runs=0
for gauge in "${gauges[@]}"; do
  for i in "${!case_names[@]}"; do
    name="$gauge.${case_names[$i]}"
    native_options=()
    wine_options=""
    if [ "${case_params[$i]}" = yes ]; then
      native_options=(--param "$parameters")
      wine_options=" --param \"$parameters\""
    fi
    read -r -a options <<<"${case_options[$i]}"
    for option in "${options[@]}"; do
      if [ "$option" = STATE ]; then
        native_options+=("$state_file")
        wine_options+=" \"$wine_state\""
      else
        native_options+=("$option")
        wine_options+=" $option"
      fi
    done
    (cd "$work/native" && "$native" state "$gauge" --quiet "${native_options[@]}" >"$name.txt")
    echo "$name $?" >>"$native_status"
    printf '"%s" state %s --quiet --module "%s"%s > "%s.txt"\r\n' "$wine_program" "$gauge" \
      "$wine_module" "$wine_options" "$name" >>"$batch"
    # The space before >> keeps the exit code from reading as a handle
    # number ("0>>"); the comparison drops it again.
    printf 'echo %s %%ERRORLEVEL%% >>status.txt\r\n' "$name" >>"$batch"
    runs=$((runs + 1))
  done
done

if ! "${runner[@]}" cmd /c "$(windows_path "$batch")"; then
  echo "compare-states: the runs under Wine failed"
  exit 1
fi

if [ ! -f "$work/wine/status.txt" ]; then
  echo "compare-states: nothing ran under Wine"
  exit 1
fi
status=0
tr -d '\r' <"$work/wine/status.txt" | sed 's/ *$//' >"$work/wine/status-lf.txt"
if ! cmp -s "$native_status" "$work/wine/status-lf.txt"; then
  echo "compare-states: the exit codes differ (native -, Wine +; both in $work):"
  diff -u "$native_status" "$work/wine/status-lf.txt" | head -n 40
  status=1
fi
if grep -qv ' 0$' "$native_status"; then
  echo "compare-states: some native runs failed:"
  grep -v ' 0$' "$native_status" | head -n 20
  status=1
fi
differing=0
while read -r name _; do
  if ! cmp -s "$work/native/$name.txt" "$work/wine/$name.txt"; then
    if [ $differing -lt 5 ]; then
      echo "compare-states: $name differs (native -, Wine +):"
      diff -u "$work/native/$name.txt" "$work/wine/$name.txt" | head -n 30
    fi
    differing=$((differing + 1))
    status=1
  fi
done <"$native_status"
if [ $status -eq 0 ]; then
  echo "states identical: $runs runs of ${#gauges[@]} gauges," \
    "$(cat "$work"/native/*.txt | wc -l) lines"
elif [ $differing -gt 0 ]; then
  echo "compare-states: $differing of $runs outputs differ"
fi
exit $status
