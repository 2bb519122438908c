#!/usr/bin/env bash
# Sets up what is missing, builds, runs every test of both configurations
# (the win32 ones under Wine) and prints one closing summary line.
set -uo pipefail
cd "$(dirname "$0")"

./build.sh || { echo "0 passed, 1 failed"; exit 1; }

# The native tests once more under AddressSanitizer and UBSan.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON >/dev/null &&
  cmake --build build/asan -j "$(nproc)" || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
skipped=0
status=0
# The fuzz targets, briefly, from seeds the project has (bitmaps, panel and
# state files, parameter strings, hours files), 8 s each, about a minute in
# all; a finding fails the run.
fuzz_failed=0
if CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DTAVREL_FUZZ=ON >/dev/null &&
  cmake --build build/fuzz -j "$(nproc)" --target tavrel_fuzzers; then
  for target in dib:build/native/art/bitmaps panel_config:panels state_file:panels mouse_list: \
    params:fuzz/seeds/params registration:fuzz/seeds/registration hourmeter:fuzz/seeds/hourmeter; do
    name=${target%%:*}
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=${target#*:}
    [ -n "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null
    if build/fuzz/fuzz/${name}_fuzz -max_total_time=8 -print_final_stats=0 "$corpus" \
      >"build/fuzz/$name.log" 2>&1; then
      echo "fuzz $name: no finding in 8 s"
    else
      echo "fuzz $name: FAILED (build/fuzz/$name.log)"
      tail -n 20 "build/fuzz/$name.log"
      fuzz_failed=$((fuzz_failed + 1))
    fi
  done
else
  fuzz_failed=7
fi
passed=$((passed + 7 - fuzz_failed))
failed=$((failed + fuzz_failed))
[ "$fuzz_failed" -eq 0 ] || status=1

# The win32 tests run the real DLL under Wine, whose loader is a 32-bit
# Linux program. A kernel without IA-32 emulation cannot start it at all
# ("Exec format error"): then those checks are reported as skipped, with the
# reason, rather than failed (the win32 configuration is still built).
configs="native asan win32"
wine_loader=/usr/lib/wine/wine
if ! wine_says=$("$wine_loader" --version 2>&1); then
  wine_checks=$(ctest --test-dir build/win32 -N 2>/dev/null | sed -n 's/^Total Tests: //p')
  echo "win32: Wine cannot start on this machine ($(tail -n 1 <<<"$wine_says"));" \
    "the ${wine_checks:-0} checks under Wine are skipped"
  skipped=$((skipped + ${wine_checks:-0}))
  configs="native asan"
fi

for config in $configs; do
  log=$(mktemp)
  ctest --test-dir "build/$config" --output-on-failure -j "$(nproc)" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  # "100% tests passed, 0 tests failed out of 21"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    skips=$(grep -c -E '^\s+[0-9]+ - .*\(Skipped\)$' "$log")
    passed=$((passed + total - bad - skips))
    failed=$((failed + bad))
    skipped=$((skipped + skips))
  elif ! grep -q 'No tests were found' "$log"; then
    status=1
    failed=$((failed + 1))
  fi
  rm -f "$log"
done

# Runs a Node test script of tests/web that closes with the line "NAME: N
# passed, M failed" and counts its cases, each once.
node_cases() {
  local name=$1 seconds=$2 script=$3 log summary
  log=$(mktemp)
  timeout "$seconds" node "$script" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  summary=$(grep -E "^$name: [0-9]+ passed, [0-9]+ failed\$" "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    passed=$((passed + $(sed -E "s/^$name: ([0-9]+) passed.*/\1/" <<<"$summary")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$summary")))
  else
    status=1
    failed=$((failed + 1))
  fi
  rm -f "$log"
}
# A step before a Node test that failed counts as one failure.
step_failed() {
  echo "$1"
  failed=$((failed + 1))
  status=1
}
# puppeteer-core from npm drives Debian's chromium; installed once.
npm_installed=false
npm_ready() {
  $npm_installed || (cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null) &&
    npm_installed=true
}

# The panel page in a real browser (tests/web/panel.test.js).
if [ ! -f build/web/tavrel-panel.html ]; then
  echo "web: the browser tests are skipped: build/web/tavrel-panel.html was not built (no emcc)"
  skipped=$((skipped + 1))
elif ! npm_ready; then
  step_failed "web: npm ci in tests/web failed"
else
  node_cases web 480 tests/web/panel.test.js
fi

# The page's link to FlightGear against a real fgfs, headless (about two
# minutes: FlightGear starts twice). FlightGear is installed for the tests
# only.
if ! ./scripts/setup.sh --tests; then
  step_failed "flightgear: scripts/setup.sh --tests failed"
elif ! npm_ready; then
  step_failed "flightgear: npm ci in tests/web failed"
else
  node_cases flightgear 600 tests/web/flightgear.test.js
fi

echo
echo "tests: $passed passed, $failed failed, $skipped skipped"
exit $status
