#!/usr/bin/env bash
# Installs the Debian packages that building and running Orbilane needs.
# With "--tests" it also installs what the test suite, the fuzzer and the benchmarks need.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6svg6
  libfbclient2 firebird3.0-server-core firebird-dev firebird3.0-utils
  zlib1g-dev libbenchmark-dev
  breeze-icon-theme-rcc fonts-liberation2 fonts-noto-core fonts-dejavu-core
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
