#!/usr/bin/env bash
# Installs what Orbilane needs, builds it, creates the empty database beside the
# executable when there is none, and starts the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORBILANE_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
ORBILANE_TARGETS="orbilane orbilane-createdb" "$root/scripts/build.sh"
db="$build/bin/Banco/DATA.FDB"
if [[ ! -e "$db" ]]; then
  mkdir -p "$(dirname "$db")"
  "$build/bin/orbilane-createdb" "$db"
fi
exec "$build/bin/orbilane"
