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
for config in native asan win32; do
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

echo
echo "tests: $passed passed, $failed failed, $skipped skipped"
exit $status
