#!/usr/bin/env bash
# Start-up time of orbilane against a minimal Qt program that opens the same
# database and shows an empty window. Works on copies in a temporary folder,
# so a database a developer keeps in BUILD_DIR/bin/Banco is never touched.
#
# Usage: bench-startup.sh BUILD_DIR
# Prints "startup: orbilane X ms, minimal Y ms, ratio Z (target <= 1.5)" from
# the medians of 5 runs each (after one start of each that is not counted) over a database with 10,000 tasks for one user.
# ORBILANE_BENCH_SMOKE=1: 2 runs each, 1,000 tasks. Exits non-zero only when
# something cannot be built or run.
set -euo pipefail
build="$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)"
bin="$build/bin"
bench="$bin/bench_mainwindow_tasklist"

if [[ -n "${ORBILANE_BENCH_SMOKE:-}" && "${ORBILANE_BENCH_SMOKE}" != 0 ]]; then
  runs=2; tasks=1000
else
  runs=5; tasks=10000
fi

for target in orbilane orbilane-createdb bench_mainwindow_tasklist; do
  if [[ ! -x "$bin/$target" ]]; then
    cmake --build "$build" --target "$target" -j"$(nproc)"
  fi
done
[[ -f "$bin/firebird/firebird.conf" ]] || { echo "missing $bin/firebird" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/orbilane-startup.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$bin/orbilane" "$work/"
cp -r "$bin/firebird" "$work/firebird"
mkdir -p "$work/Banco" "$work/runtime"
chmod 700 "$work/runtime"
db="$work/Banco/DATA.FDB"
"$bin/orbilane-createdb" "$db"
"$bench" --fill-database "$db" "$tasks"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"

# One start: the program prints "startup_ms X ..." and quits by itself.
start_once() {
  local out ms rc=0
  out="$(timeout 60 "$@" 2>"$work/stderr")" || rc=$?
  if ((rc != 0)); then
    echo "failed to run: $* (exit $rc)" >&2; echo "$out" >&2; cat "$work/stderr" >&2; return 1
  fi
  ms="$(awk '/^startup_ms / { print $2; exit }' <<<"$out")"
  [[ -n "$ms" ]] || { echo "no startup_ms from: $*" >&2; echo "$out" >&2; cat "$work/stderr" >&2; return 1; }
  echo "$ms"
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One start of each first, not counted: it pays for reading the fresh copies from disk.
warm_orbilane="$(start_once env ORBILANE_STARTUP_PROBE=1 "$work/orbilane")" || exit 1
warm_minimal="$(start_once "$bench" --minimal-window "$db")" || exit 1
echo "first starts (not counted): orbilane $warm_orbilane ms, minimal $warm_minimal ms"

orbilane_times=(); minimal_times=()
for ((i = 1; i <= runs; i++)); do
  # Alternated, so that whatever else the machine does weighs on both alike.
  ms="$(start_once env ORBILANE_STARTUP_PROBE=1 "$work/orbilane")" || exit 1
  orbilane_times+=("$ms")
  ms="$(start_once "$bench" --minimal-window "$db")" || exit 1
  minimal_times+=("$ms")
done
echo "orbilane startup_ms runs: ${orbilane_times[*]}"
echo "minimal  startup_ms runs: ${minimal_times[*]}"
orbilane_ms="$(printf '%s\n' "${orbilane_times[@]}" | median)"
minimal_ms="$(printf '%s\n' "${minimal_times[@]}" | median)"
ratio="$(awk -v a="$orbilane_ms" -v b="$minimal_ms" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')"
echo "startup: orbilane $orbilane_ms ms, minimal $minimal_ms ms, ratio $ratio (target <= 1.5)"
