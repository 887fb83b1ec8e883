#!/usr/bin/env bash
# Runs the settings-file fuzzer for a chosen time (default 600 seconds):
#   scripts/fuzz-ini.sh [SECONDS]
# Builds it with clang in build-fuzz. New inputs collect in fuzz/findings/corpus, crashes in
# fuzz/findings/ (neither is checked in; copy a crash into fuzz/corpus/ini once it is fixed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

seconds=${1:-600}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTINTREL_BUILD_FUZZERS=ON -DTINTREL_SANITIZE=ON -DTINTREL_BUILD_GUI=OFF \
    -DTINTREL_BUILD_TESTS=OFF -DTINTREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target ini_fuzzer --parallel 2

mkdir -p fuzz/findings/corpus
"$build/fuzz/ini_fuzzer" fuzz/findings/corpus fuzz/corpus/ini \
    -dict=fuzz/ini.dict -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix=fuzz/findings/ -print_final_stats=1
