#!/usr/bin/env bash
# Runs the fuzzers of the settings store for a chosen time each (default 600 seconds):
#   scripts/fuzz-ini.sh [SECONDS] [TARGET...]
# TARGET is ini (the settings file), save (the crash-safe save under faults), import (style
# files) or companion (the arguments of tintrel-html); all of them by default. Builds them with
# clang in build-fuzz. New inputs collect in fuzz/findings/TARGET/corpus, crashes in
# fuzz/findings/TARGET/ (neither is checked in; copy a crash into fuzz/corpus/TARGET once it is
# fixed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

seconds=${1:-600}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=()
    for corpus in fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi
build=build-fuzz
# The fuzz preset of CMakePresets.json: clang, the sanitizers, only the Qt-free libraries.
cmake --preset fuzz >/dev/null
for target in "${targets[@]}"; do
    cmake --build --preset fuzz --target "${target}_fuzzer" --parallel 2
done

# The targets save files with fsync; on a memory file system that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
for target in "${targets[@]}"; do
    findings=fuzz/findings/$target
    mkdir -p "$findings/corpus"
    dict=()
    if [ -f "fuzz/$target.dict" ]; then
        dict=(-dict="fuzz/$target.dict")
    fi
    "$build/fuzz/${target}_fuzzer" "$findings/corpus" "fuzz/corpus/$target" "${dict[@]}" \
        -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$findings/" -print_final_stats=1
done
