#!/usr/bin/env bash
# Configures and builds the project into ./build: everything, or only the
# targets named in ORBILANE_TARGETS (separated by blanks).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORBILANE_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${ORBILANE_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
targets=()
for t in ${ORBILANE_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
