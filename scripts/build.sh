#!/usr/bin/env bash
# Configures and builds the whole project into ./build (Release with assertions kept for tests).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORBILANE_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${ORBILANE_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
