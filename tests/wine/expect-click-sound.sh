#!/usr/bin/env bash
# Runs the click-sound case of the sound test program under Wine with Wine's
# DirectSound trace on, and reads the trace between the program's markers:
# every gauge that makes a sound buffer at install (a DirectSound device,
# then a buffer of the click's format and size) plays it when clicked and
# releases it when killed, and at least one gauge does.
#
#   expect-click-sound.sh RUNNER... PROGRAM
set -uo pipefail
program="${*: -1}"
runner=("${@:1:$#-1}")
out=$(mktemp)
trace=$(mktemp)
trap 'rm -f "$out" "$trace"' EXIT

TAVREL_WINEDEBUG="-all,trace+dsound" "${runner[@]}" "$program" --gtest_filter='ClickSound.*' \
  >"$out" 2>"$trace"
status=$?
cat "$out"
if [ $status -ne 0 ]; then
  echo "expect-click-sound: the program failed ($status); the end of its standard error:"
  tail -n 40 "$trace"
  exit $status
fi
if grep -q '\[  SKIPPED \]' "$out"; then
  exit 0  # CTest reports the skip and its reason
fi

awk '
  /^tavrel-sound: install / { gauge = $3; phase = "install"; order[++count] = gauge; next }
  /^tavrel-sound: click / { phase = "click"; next }
  /^tavrel-sound: kill / { phase = "kill"; next }
  /^tavrel-sound: done / { phase = ""; next }
  phase == "install" && /trace:dsound:DirectSoundCreate / { device[gauge] = 1 }
  phase == "install" && /trace:dsound:.*Impl_CreateSoundBuffer / { buffer[gauge] = 1 }
  phase == "install" && /trace:dsound:DirectSoundDevice_CreateSoundBuffer \(flags=/ {
    if ($0 ~ /flags=0x000080e0/) flags[gauge] = 1
  }
  phase == "install" && /trace:dsound:DirectSoundDevice_CreateSoundBuffer \(bufferbytes=/ {
    if ($0 ~ /bufferbytes=3828\)/) size[gauge] = 1
  }
  phase == "install" && /formattag=0x0001,chans=1,samplerate=22050,bytespersec=44100,blockalign=2,bitspersamp=16/ {
    format[gauge] = 1
  }
  phase == "click" && /trace:dsound:IDirectSoundBufferImpl_Play / { play[gauge] = 1 }
  phase == "kill" && /trace:dsound:IDirectSoundBufferImpl_Release / { release[gauge] = 1 }
  END {
    sounding = 0; bad = 0
    for (i = 1; i <= count; ++i) {
      g = order[i]
      if (!buffer[g]) { print g ": makes no sound buffer"; continue }
      ++sounding
      problems = ""
      if (!device[g]) problems = problems " no DirectSoundCreate at install;"
      if (!flags[g]) problems = problems " buffer flags not 0x80E0;"
      if (!size[g]) problems = problems " buffer not 3828 bytes;"
      if (!format[g]) problems = problems " buffer not 16-bit mono PCM at 22050 Hz;"
      if (!play[g]) problems = problems " not played on the click;"
      if (!release[g]) problems = problems " buffer not released at kill;"
      if (problems == "") {
        print g ": device and click buffer at install, played on the click, released at kill"
      } else {
        print g ":" problems; ++bad
      }
    }
    if (sounding == 0) { print "no gauge made a sound buffer"; exit 1 }
    exit bad != 0
  }' "$trace"
