#!/usr/bin/env bash
# Builds Tintrel's page (the engine compiled to WebAssembly with Emscripten) and serves it at
# http://127.0.0.1:8080/. With --build-only [BUILD_DIR] it builds and stops (the tests use that).
set -euo pipefail
cd "$(dirname "$0")/.."

serve=1
build=build-web
if [[ "${1:-}" == "--build-only" ]]; then
    serve=0
    build="${2:-$build}"
else
    scripts/setup.sh
fi

if ! command -v emcmake >/dev/null; then
    echo "web.sh: Emscripten is missing (scripts/setup.sh installs the Debian package emscripten)." >&2
    exit 1
fi
# Debian's Emscripten runs its JavaScript tools with the system's node, which looks for their
# modules in /usr/share/nodejs only when told.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
# The web preset of CMakePresets.json, in the folder asked for; emcmake adds Emscripten's toolchain.
emcmake cmake --preset web -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
site="$(cd "$build/site" && pwd)"

if ((serve == 0)); then
    echo "web.sh: the page is in $site"
    exit 0
fi
echo "web.sh: the page is in $site; copy that folder to any static web host."
echo "web.sh: serving it at http://127.0.0.1:8080/ (Ctrl+C ends)"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
