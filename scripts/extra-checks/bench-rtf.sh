#!/usr/bin/env bash
# Runs the RTF reader benchmark once in its smoke mode (a small document, short
# timings); fails when it cannot be built or run, or when the RTF and HTML it
# compares do not load to the same text. Usage: bench-rtf.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: $0 BUILD_DIR}"
bench="$build/bin/bench_rtf_reader"
if [[ ! -x "$bench" ]]; then
  cmake --build "$build" --target bench_rtf_reader -j"$(nproc)"
fi
export QT_QPA_PLATFORM=offscreen ORBILANE_BENCH_SMOKE=1
output="$("$bench")"
echo "$output"
grep -q '^ratio reader/setHtml: [0-9]' <<<"$output"
