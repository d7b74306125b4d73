#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with AddressSanitizer and UBSan, seeds
# it with the sample documents and fuzzes for a bounded time. Exits non-zero when
# the fuzzer finds a crash, a leak, a timeout or excessive memory use.
# Usage: fuzz-rtf.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:?usage: $0 BUILD_DIR}"
out="$build/fuzz"
mkdir -p "$out/corpus"

qt_cflags="$(pkg-config --cflags Qt6Gui)"
qt_libs="$(pkg-config --libs Qt6Gui)"
# shellcheck disable=SC2086 # the pkg-config flags are lists of words
clang++ -std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" $qt_cflags \
  "$root/tests/fuzz/rtf_fuzzer.cpp" "$root"/platform/rtf/*.cpp \
  $qt_libs -o "$out/rtf_fuzzer"

cp "$root"/tests/platform/data/rtf/*.rtf "$out/corpus/"

# Control words and structures worth combining.
cat >"$out/rtf.dict" <<'DICT'
"{\\rtf1"
"\\ansi"
"\\ansicpg1251"
"\\ansicpg932"
"\\deff0"
"{\\fonttbl"
"\\fcharset204"
"\\fcharset2"
"\\fcharset128"
"{\\colortbl;"
"\\red255"
"\\par"
"\\pard"
"\\plain"
"\\b"
"\\b0"
"\\ul"
"\\fs24"
"\\cf1"
"\\li720"
"\\fi-360"
"\\sl276\\slmult1"
"\\u8364?"
"\\u-10179?"
"\\uc2"
"\\'e3"
"\\'82"
"{\\*"
"{\\*\\pn\\pnlvlblt"
"{\\pntxtb"
"{\\pntext"
"{\\*\\listtable"
"{\\list"
"{\\listlevel\\levelnfc0"
"{\\leveltext\\'02\\'00.;}"
"\\listid1"
"{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
"\\ls1"
"\\ilvl1"
"{\\listtext"
"{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt "
"\\trowd"
"\\cell"
"\\row"
"\\intbl"
"{\\pict"
"\\bin4 "
"{\\upr"
"{\\*\\ud"
"\\tab"
"\\line"
"\\v"
DICT

export QT_QPA_PLATFORM=offscreen
"$out/rtf_fuzzer" "$out/corpus" -dict="$out/rtf.dict" \
  -max_total_time=60 -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
  -artifact_prefix="$out/" -print_final_stats=1
