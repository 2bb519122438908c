#!/usr/bin/env bash
# Sets up what is missing, builds both configurations and renders the
# default panel:
#   build/native/            host, gaugeview, tests, the art (build/native/art)
#   build/win32/Tavrel_Instr.gau   the module for the simulator
#   build/dist/Tavrel_Instr-VERSION.zip   the release (release/make-zip.cmake)
#   build/web/tavrel-panel.html    the panel in a web page (when emcc is there)
#   build/panel.png, build/panel-night.png
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"

# The win32 build embeds the bitmaps and the click sound the native build drew.
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
  -DTAVREL_ART_DIR="$PWD/build/native/art" >/dev/null
cmake --build build/win32 -j "$jobs"

# The panel in a web page, from the same sources and the native build's art.
# Debian's emcc finds its JavaScript tools (acorn) through NODE_PATH.
if command -v emcc >/dev/null; then
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
  emscripten_dir=$(dirname "$(readlink -f "$(command -v emcc)")")
  cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$emscripten_dir/cmake/Modules/Platform/Emscripten.cmake" \
    -DTAVREL_ART_DIR="$PWD/build/native/art" >/dev/null
  cmake --build build/web -j "$jobs"
  echo "build: wrote build/web/tavrel-panel.html"
else
  echo "build: emcc is not installed; the web page (build/web) is not built"
fi

if [ -x build/native/gaugeview ] && [ -f panels/default.cfg ]; then
  build/native/gaugeview panel panels/default.cfg --state panels/cruise.state --quiet -o build/panel.png >/dev/null
  build/native/gaugeview panel panels/default.cfg --state panels/cruise.state --night --quiet \
    -o build/panel-night.png >/dev/null
  echo "build: rendered build/panel.png and build/panel-night.png"
fi
echo "build: wrote build/win32/Tavrel_Instr.gau"
echo "build: wrote $(ls build/dist/Tavrel_Instr-*.zip)"
