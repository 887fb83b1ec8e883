#!/usr/bin/env bash
# Builds Tintrel and shows the HTML of the default text through the command-line companion.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTINTREL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
"$build/src/app/tintrel-html" --utf8 "$@"
