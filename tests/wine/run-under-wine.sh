#!/usr/bin/env bash
# Runs a program of the win32 build under Wine; CTest's emulator there.
#
#   run-under-wine.sh --root DIR [--prepare] [program.exe [arguments...]]
#
# DIR (the build folder's wine/) holds everything Wine needs, so nothing
# outside the build folder is touched:
#   DIR/prefix   a throw-away 32-bit Wine prefix, made once (wineboot -i)
#   DIR/home     HOME for Wine: its .asoundrc makes ALSA's default device the
#                null device, so DirectSound opens without a sound card
# --prepare makes the prefix and returns (a CTest fixture does this first).
#
# Each run is a Wine session of its own: its own X server (Xvfb, so windows
# can be created), the program, then the session's wineserver is stopped
# while that X server still runs, so no Wine process outlives it. Runs of one
# build folder take turns (they share the prefix, hence the wineserver).
#
# Environment:
#   TAVREL_WINE_DISPLAY=none  no X server: the program cannot create windows
#   TAVREL_WINE_AUDIO=none    no audio driver: DirectSoundCreate fails
#   TAVREL_WINEDEBUG=...      Wine debug channels (default: -all)
# The program's exit status is the script's.
set -uo pipefail

root=""
prepare=0
while [ $# -gt 0 ]; do
  case "$1" in
    --root)
      root="$2"
      shift 2
      ;;
    --prepare)
      prepare=1
      shift
      ;;
    *) break ;;
  esac
done
if [ -z "$root" ]; then
  echo "run-under-wine: --root DIR is required" >&2
  exit 2
fi
if [ $prepare -eq 0 ] && [ $# -eq 0 ]; then
  echo "run-under-wine: no program to run" >&2
  exit 2
fi

for tool in wine wineboot wineserver flock; do
  if ! command -v "$tool" >/dev/null; then
    echo "run-under-wine: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 2
  fi
done

mkdir -p "$root/home"
root=$(cd "$root" && pwd)
asoundrc='pcm.!default { type null }
ctl.!default { type null }'
if [ "$(cat "$root/home/.asoundrc" 2>/dev/null)" != "$asoundrc" ]; then
  printf '%s\n' "$asoundrc" >"$root/home/.asoundrc"
fi

# A clean environment for Wine: nothing from the caller's own Wine setup.
unset WINEPREFIX WINEARCH WINESERVER WINELOADER DISPLAY WAYLAND_DISPLAY XAUTHORITY
export HOME="$root/home"
export WINEPREFIX="$root/prefix"
export WINEDEBUG="${TAVREL_WINEDEBUG:--all}"
export LC_ALL=C
# No Mono or Gecko installs, no desktop menu entries, and no debugger that
# waits for someone when a program crashes: the crash ends the run.
overrides="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
if [ "${TAVREL_WINE_AUDIO:-}" = none ]; then
  overrides="$overrides;winealsa.drv,winepulse.drv,wineoss.drv=d"
fi
export WINEDLLOVERRIDES="$overrides"

# The prefix, made once; the lock keeps parallel runs from racing to make it.
exec 8>"$root/prefix.lock"
flock 8
if [ ! -f "$WINEPREFIX/.tavrel-ready" ]; then
  rm -rf "$WINEPREFIX"
  started=$(date +%s)
  if ! WINEARCH=win32 WINEDEBUG=-all wineboot -i >"$root/wineboot.log" 2>&1 8>&-; then
    echo "run-under-wine: wineboot failed; see $root/wineboot.log" >&2
    exit 2
  fi
  wineserver -w 8>&-
  touch "$WINEPREFIX/.tavrel-ready"
  echo "run-under-wine: made the Wine prefix in $(($(date +%s) - started)) s" >&2
fi
exec 8>&-
if [ $prepare -eq 1 ] && [ $# -eq 0 ]; then
  exit 0
fi

# One session at a time for this prefix.
exec 9>"$root/session.lock"
flock 9

x_server=""
x_log=""
finish() {
  wineserver -k 9>&- 2>/dev/null
  wineserver -w 9>&- 2>/dev/null
  if [ -n "$x_server" ]; then
    kill "$x_server" 2>/dev/null
    wait "$x_server" 2>/dev/null
  fi
  [ -n "$x_log" ] && rm -f "$x_log"
}
trap 'finish; exit 130' INT TERM

if [ "${TAVREL_WINE_DISPLAY:-}" != none ]; then
  if ! command -v Xvfb >/dev/null; then
    echo "run-under-wine: Xvfb is missing (scripts/setup.sh installs it)" >&2
    exit 2
  fi
  # Xvfb picks a free display itself and reports it when it is ready; no
  # race with other X servers starting on this machine at the same time.
  x_log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$x_log" 2>/dev/null 9>&- &
  x_server=$!
  for _ in $(seq 100); do
    [ -s "$x_log" ] && break
    kill -0 "$x_server" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$x_log" ]; then
    echo "run-under-wine: the X server did not start" >&2
    finish
    exit 2
  fi
  DISPLAY=":$(head -n 1 "$x_log")"
  export DISPLAY
fi

# In the background, so that a signal to this script is handled at once.
wine "$@" 9>&- &
wait $!
status=$?
finish
exit $status
