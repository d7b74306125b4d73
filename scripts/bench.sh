#!/usr/bin/env bash
# Full-size benchmarks: builds the project (scripts/build.sh, into ./build),
# runs every build/bin/bench_* without the smoke setting, then the start-up
# comparison, and ends with the ratio lines of all of them. Exits non-zero when
# the build fails or a benchmark cannot run to its end.
# Usage: bench.sh [--no-build]   (--no-build: run what is already built)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORBILANE_BUILD_DIR:-$root/build}"
unset ORBILANE_BENCH_SMOKE
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

if [[ "${1:-}" != --no-build ]]; then
  bash "$root/scripts/install-deps.sh" --tests || { echo "installing packages failed"; exit 1; }
  bash "$root/scripts/build.sh" || { echo "build failed"; exit 1; }
fi

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
failed=0
for bench in "$build"/bin/bench_*; do
  [[ -x "$bench" && -f "$bench" ]] || continue
  echo "=== $(basename "$bench")"
  if ! "$bench" 2>&1 | tee -a "$log"; then
    echo "$(basename "$bench"): FAILED"; failed=1
  fi
done
echo "=== start-up"
if ! bash "$root/scripts/bench-startup.sh" "$build" 2>&1 | tee -a "$log"; then
  echo "bench-startup.sh: FAILED"; failed=1
fi

echo
echo "=== ratios"
grep -E '(^|[^a-zA-Z])ratio|^startup:|frames of|^target|^case |^(de)?compress [0-9]+ MiB +[0-9]' "$log" || true
exit "$failed"
