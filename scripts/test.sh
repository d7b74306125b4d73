#!/usr/bin/env bash
# Installs what the tests need, builds everything, runs every test, the RTF fuzzer
# for a bounded time and each benchmark once in its smoke mode, and ends with
# the line "N passed, N failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORBILANE_BUILD_DIR:-$root/build}"
log="$build/test-logs"

"$root/scripts/install-deps.sh" --tests || { echo "0 passed, 1 failed"; exit 1; }
if ! "$root/scripts/build.sh" -DORBILANE_WARNINGS_AS_ERRORS="${CI:+ON}"; then
  echo "0 passed, 1 failed"; exit 1
fi
mkdir -p "$log"

export QT_QPA_PLATFORM=offscreen
passed=0; failed=0

# Unit and GUI tests: one Qt Test executable per file; each prints "Totals: P passed, F failed".
ctest --test-dir "$build" --output-on-failure -V --timeout 600 >"$log/ctest.log" 2>&1
ctest_rc=$?
# ctest -V prefixes each program's output with its number; --output-on-failure
# repeats a failing program's output without it, so only prefixed lines count.
read -r tp tf < <(awk '/^[0-9]+: Totals: [0-9]+ passed, [0-9]+ failed/ {
    for (i = 1; i <= NF; i++) { if ($(i+1) ~ /^passed/) p += $i; if ($(i+1) ~ /^failed/) f += $i } }
  END { print p+0, f+0 }' "$log/ctest.log")
crashed=$(grep -cE '^[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*(Failed|Exception|Timeout)' "$log/ctest.log" || true)
passed=$((passed + tp)); failed=$((failed + tf))
# A test executable that crashed or timed out prints no failing total of its own.
if ((ctest_rc != 0 && tf == 0)); then failed=$((failed + (crashed > 0 ? crashed : 1))); fi
grep -E '^[0-9]+/[0-9]+ Test|tests passed|FAIL!' "$log/ctest.log"

# Extra runs: fuzzing and benchmark smoke runs, each counted as one check.
for extra in "$root"/scripts/extra-checks/*.sh; do
  [[ -e "$extra" ]] || continue
  name=$(basename "$extra" .sh)
  if bash "$extra" "$build" >"$log/$name.log" 2>&1; then
    echo "check $name: passed"; passed=$((passed + 1))
  else
    echo "check $name: FAILED (see $log/$name.log)"; tail -20 "$log/$name.log"; failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
((failed == 0))
