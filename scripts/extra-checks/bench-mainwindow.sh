#!/usr/bin/env bash
# Runs the task list benchmark and the start-up comparison once each in their
# smoke mode (small data, few iterations); fails when either cannot be built
# or run, or when the benchmark finds a wrong result. Timings are only shown.
# Usage: bench-mainwindow.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: $0 BUILD_DIR}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
bench="$build/bin/bench_mainwindow_tasklist"
if [[ ! -x "$bench" ]]; then
  cmake --build "$build" --target bench_mainwindow_tasklist -j"$(nproc)"
fi
export QT_QPA_PLATFORM=offscreen ORBILANE_BENCH_SMOKE=1
rc=0
output="$("$bench" 2>&1)" || rc=$?
echo "$output"
((rc == 0)) || { echo "bench_mainwindow_tasklist failed (exit $rc)"; exit 1; }
grep -q '^ratio full/baseline: [0-9]' <<<"$output"

rc=0
output="$(bash "$root/scripts/bench-startup.sh" "$build" 2>&1)" || rc=$?
echo "$output"
((rc == 0)) || { echo "bench-startup.sh failed (exit $rc)"; exit 1; }
grep -q '^startup: orbilane [0-9]' <<<"$output"
