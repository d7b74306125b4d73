#!/usr/bin/env bash
# Short run of the blob compression benchmark: checks that it still gives the
# content back, matches zlib byte for byte and stays within its memory bound.
# $1 is the build folder; nothing is built here.
set -euo pipefail
build="${1:?usage: bench-compression.sh BUILD_DIR}"
bench="$build/bin/bench_storage_compression"
if [[ ! -x "$bench" ]]; then
  echo "missing $bench (build the project first)" >&2
  exit 1
fi
ORBILANE_BENCH_SMOKE=1 "$bench" --benchmark_color=false
