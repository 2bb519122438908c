#!/usr/bin/env bash
# Every font and data file that the art program, the renderer and gaugeview
# open must come from a package that scripts/setup.sh installs by name: a
# machine that happens to have an extra package must not hide a missing one.
#
#   check-file-owners.sh SETUP_SH SOURCE_DIR ART_GEN GAUGEVIEW FONT_PROBE
#
# The programs run under strace; every file they open that is not a shared
# library, not under the source or build tree and not one they wrote is
# looked up with dpkg -S. The absolute font paths written in the sources
# (the art's lettering face) are checked too, whether or not a run opened
# them.
set -euo pipefail

if [ $# -ne 5 ]; then
  echo "usage: check-file-owners.sh SETUP_SH SOURCE_DIR ART_GEN GAUGEVIEW FONT_PROBE" >&2
  exit 2
fi
setup=$1 source_dir=$2 art_gen=$3 gaugeview=$4 font_probe=$5

for tool in strace dpkg-query; do
  if ! command -v "$tool" >/dev/null; then
    echo "check-file-owners: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The packages setup.sh installs, without architecture qualifiers.
bash "$setup" --list-packages | sed 's/:.*$//' | sort -u >"$work/packages"
if [ ! -s "$work/packages" ]; then
  echo "check-file-owners: $setup --list-packages printed no packages" >&2
  exit 1
fi

# Runs a program under strace; its trace goes to $work/trace.N. In the
# sanitizer build LeakSanitizer cannot work under ptrace, so it is off here
# (leaks are the other tests' business).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
runs=0
traced() {
  runs=$((runs + 1))
  if ! strace -f -qq -e trace=open,openat -e signal=none -o "$work/trace.$runs" "$@" \
    >"$work/out.$runs" 2>&1; then
    echo "check-file-owners: failed: $*" >&2
    cat "$work/out.$runs" >&2
    exit 1
  fi
}

traced "$art_gen" "$work/art"
traced "$font_probe"
traced "$gaugeview" sheet --hotspots -o "$work/sheet.png"
traced "$gaugeview" panel "$source_dir/panels/default.cfg" --state "$source_dir/panels/cruise.state" \
  --hotspots -o "$work/panel.png"
traced "$gaugeview" render Battery_Switch --width 210 --hotspots -o "$work/render.png"
traced "$gaugeview" click Battery_Switch 10 10

# Files opened successfully, minus the loader's, the libraries', the
# kernel's, the project's own and what the runs wrote.
build_dir=$(cd "$(dirname "$gaugeview")" && pwd)
cat "$work"/trace.* |
  grep -v -e '= -1 E' -e 'O_DIRECTORY' |
  sed -n 's/.*open[a-z]*([^"]*"\([^"]*\)".*/\1/p' |
  grep -v -e '^/etc/ld\.so\.cache$' -e '\.so$' -e '\.so\.[0-9.]*$' \
    -e '^/proc/' -e '^/sys/' -e '^/dev/' \
    -e "^$work/" -e "^$source_dir/" -e "^$build_dir/" |
  sort -u >"$work/opened"

# Absolute font paths in the sources of the art program, the host and the tools.
grep -rhoE '"/usr/share/[^"]+\.(ttf|otf|pfb|pcf)"' \
  "$source_dir/resources/art" "$source_dir/host" "$source_dir/tools" 2>/dev/null |
  tr -d '"' | sort -u >"$work/named"
# The fonts the web page embeds, named in its build file.
grep -hoE '/usr/share/[^" ;)@]+\.(ttf|otf)' "$source_dir/web/CMakeLists.txt" 2>/dev/null |
  sort -u >>"$work/named"
sort -u -o "$work/named" "$work/named"

cat "$work/opened" "$work/named" | sort -u >"$work/files"
if ! grep -qE '\.(ttf|otf)$' "$work/files"; then
  echo "check-file-owners: the runs opened no font file; the trace is not working" >&2
  exit 1
fi

failures=0
while IFS= read -r file; do
  if [ ! -e "$file" ]; then
    echo "check-file-owners: $file is named in the sources but is not on this machine" >&2
    failures=$((failures + 1))
    continue
  fi
  owners=""
  for path in "$file" "$(readlink -f "$file")"; do
    owners=$(dpkg -S "$path" 2>/dev/null | grep -v '^diversion' | sed 's/: \/.*$//' |
      tr ',' '\n' | sed 's/^ *//; s/:.*$//' | sort -u || true)
    [ -n "$owners" ] && break
  done
  if [ -z "$owners" ]; then
    echo "check-file-owners: $file belongs to no package" >&2
    failures=$((failures + 1))
  elif ! grep -qxF -f "$work/packages" <<<"$owners"; then
    echo "check-file-owners: $file comes from $(echo $owners), which scripts/setup.sh does not install" >&2
    failures=$((failures + 1))
  else
    echo "$file: $(grep -xF -f "$work/packages" <<<"$owners" | head -1)"
  fi
done <"$work/files"

if [ "$failures" -gt 0 ]; then
  echo "check-file-owners: $failures file(s) not from a package that scripts/setup.sh installs" >&2
  exit 1
fi
echo "check-file-owners: $(wc -l <"$work/files") file(s), each from a package scripts/setup.sh installs"
