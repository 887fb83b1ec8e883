#!/usr/bin/env bash
# Builds Tintrel with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
# Widget tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTINTREL_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
