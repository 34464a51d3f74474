#!/bin/sh
# Builds the XML reader's fuzz target with clang, libFuzzer, ASan and UBSan, and fuzzes it for a
# while. Fails on any crash, undefined behaviour or leak; the input that caused it is kept in
# <build>/fuzz/ (crash-*, leak-*).
# Usage: tests/fuzz/run-xml-fuzzer.sh [seconds] [build folder]     defaults: 30, <source>/build-fuzz
set -eu
seconds=${1:-30}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$root/build-fuzz}

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTARROW_SANITIZE=ON -DTARROW_FUZZ=ON -DTARROW_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target xml_parse_fuzzer -j2

found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/xml_parse_fuzzer" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$root/tests/fuzz/xml.dict" -artifact_prefix="$build/fuzz/" \
    "$found" "$root/tests/fuzz/corpus"
