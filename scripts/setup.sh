#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: packages that
# are already installed are skipped, and nothing is fetched when all are there.
# Needs root (CI and the development machines run as root).
#
#   scripts/setup.sh                  install what is missing
#   scripts/setup.sh --tests          also install what only ./test.sh needs
#   scripts/setup.sh --list-packages  print the packages ./build.sh installs,
#                                     one a line (the file-ownership test
#                                     reads them: what the build and the
#                                     tools open must come from these)
#   scripts/setup.sh --list-packages --tests
#                                     print the test-only packages
set -euo pipefail

# Every font and data file the build and the tools open comes from a package
# named here (the ownership test checks it): the art's condensed faces are in
# fonts-dejavu-extra, the renderer's faces in fonts-dejavu-core,
# fonts-liberation2 and fonts-dseg. strace lets that test see what they open.
# libclang-rt-dev brings the sanitizer and fuzzer runtimes of Debian's clang.
native_packages=(
  cmake ninja-build g++ g++-mingw-w64-i686 file
  libcairo2-dev fonts-dejavu-core fonts-dejavu-extra
  libstb-dev fonts-liberation2 fonts-dseg
  googletest libgtest-dev libbenchmark-dev
  clang-format clang libclang-rt-dev
  strace
)
wine_packages=(wine wine32:i386 xvfb xauth)
# The page in the browser: Emscripten builds it, Chromium runs its tests
# (driven by puppeteer-core from npm, which then downloads no browser).
web_packages=(emscripten chromium)
# npm installs that driver. A Node.js from elsewhere brings its own npm,
# which Debian's would conflict with: then that one is used.
command -v npm >/dev/null || web_packages+=(npm)
# Only for ./test.sh, never for ./build.sh: FlightGear (about 1.3 GB with its
# data) as the page's peer in the tests of its FlightGear link, run headless
# under Xvfb (from the Wine packages) with a D-Bus session of its own
# (dbus-run-session) and Mesa's software renderer.
test_packages=(flightgear dbus-daemon libgl1-mesa-dri)

list=false
tests=false
for argument in "$@"; do
  case "$argument" in
    --list-packages) list=true ;;
    --tests) tests=true ;;
    *)
      echo "usage: scripts/setup.sh [--tests] [--list-packages]" >&2
      exit 2
      ;;
  esac
done

if $list; then
  if $tests; then
    printf '%s\n' "${test_packages[@]}"
  else
    printf '%s\n' "${native_packages[@]}" "${wine_packages[@]}" "${web_packages[@]}"
  fi
  exit 0
fi

wanted=("${native_packages[@]}" "${wine_packages[@]}" "${web_packages[@]}")
$tests && wanted+=("${test_packages[@]}")
missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
