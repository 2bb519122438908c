#!/usr/bin/env bash
# The release as a panel author meets it: the zip unpacked into an empty
# folder of a bare Wine prefix (no drive Z:, so nothing of this machine's
# file system, and no fonts in the Windows folder), Preview\gaugeview.exe
# draws the sample panel by day and at night, finding the module in
# ..\Gauges and its faces in its own fonts folder; the pictures must have
# the native gaugeview's pixels and no font may be missing.
#
#   check-release.sh WORK_DIR ZIP NATIVE_GAUGEVIEW SAME_PIXELS RUN_UNDER_WINE
set -uo pipefail
work=$1
zip=$2
native=$3
same_pixels=$4
run_under_wine=$5

if ! wine_says=$(wine --version 2>&1); then
  echo "[  SKIPPED ] Wine cannot start on this machine ($(tail -n 1 <<<"$wine_says"))"
  exit 0
fi
for file in "$zip" "$native" "$same_pixels"; do
  if [ ! -e "$file" ]; then
    echo "check-release: $file is missing; run ./build.sh"
    exit 1
  fi
done

# A prefix of its own, made bare once made.
root="$work/wine"
"$run_under_wine" --root "$root" --prepare || exit 1
prefix="$root/prefix"
rm -f "$prefix/dosdevices/z:"
rm -rf "$prefix/drive_c/windows/Fonts"
mkdir -p "$prefix/drive_c/windows/Fonts"

unpacked="$prefix/drive_c/Tavrel"
rm -rf "$unpacked" "$work/native"
mkdir -p "$unpacked" "$work/native/gauges"
(cd "$unpacked" && cmake -E tar xf "$zip") || exit 1

status=0
for variant in day night; do
  options=()
  [ "$variant" = night ] && options=(--night)
  # The hour meter's file goes to gauges\ of the folder it runs in. The
  # native picture is drawn with the faces the zip carries (a machine that
  # runs Wine need not have them installed).
  if ! (cd "$work/native" && TAVREL_FONT_DIR="$unpacked/Preview/fonts" \
    "$native" panel "$unpacked/Panel/panel.cfg" -o "native-$variant.png" --quiet "${options[@]}"); then
    echo "check-release: the native picture ($variant) failed"
    status=1
    continue
  fi
  if ! "$run_under_wine" --root "$root" 'C:\Tavrel\Preview\gaugeview.exe' panel \
    'C:\Tavrel\Panel\panel.cfg' -o "C:\\Tavrel\\wine-$variant.png" "${options[@]}" \
    2>"$work/wine-$variant.log"; then
    echo "check-release: Preview\\gaugeview.exe under Wine ($variant) failed:"
    cat "$work/wine-$variant.log"
    status=1
    continue
  fi
  if grep -i "font" "$work/wine-$variant.log"; then
    echo "check-release: a font was not found beside gaugeview.exe ($variant)"
    status=1
  fi
  echo -n "$variant: "
  "$same_pixels" "$work/native/native-$variant.png" "$unpacked/wine-$variant.png" || status=1
done
exit $status
