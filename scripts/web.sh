#!/usr/bin/env bash
# Builds Tintrel's page (the engine compiled to WebAssembly with Emscripten) and serves it at
# http://127.0.0.1:8080/ (--port N for another port). With --build-only [BUILD_DIR] it builds and
# stops (the tests use that).
set -euo pipefail
cd "$(dirname "$0")/.."

serve=1
build=build-web
port=8080
while (($# > 0)); do
    case "$1" in
    --build-only)
        serve=0
        if [[ -n "${2:-}" && "$2" != --* ]]; then
            build="$2"
            shift
        fi
        ;;
    --port)
        port="${2:?web.sh: --port needs a number}"
        shift
        ;;
    --port=*) port="${1#--port=}" ;;
    *)
        echo "web.sh: unknown argument '$1' (web.sh [--port N] | web.sh --build-only [BUILD_DIR])" >&2
        exit 2
        ;;
    esac
    shift
done
if ! [[ "$port" =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then
    echo "web.sh: --port takes a number from 1 to 65535, not '$port'" >&2
    exit 2
fi
if ((serve == 1)); then
    scripts/setup.sh --web
fi

if ! command -v emcmake >/dev/null; then
    echo "web.sh: Emscripten is missing (scripts/setup.sh --web installs the Debian package emscripten)." >&2
    exit 1
fi
# Debian's Emscripten runs its JavaScript tools with the system's node, which looks for their
# modules in /usr/share/nodejs only when told.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
# The web preset of CMakePresets.json, in the folder asked for; emcmake adds Emscripten's toolchain.
# The build takes a few minutes: its steps are shown as they go.
echo "web.sh: configuring the page's build in $build"
emcmake cmake --preset web -B "$build" >/dev/null
echo "web.sh: building the engine as WebAssembly (a few minutes the first time)"
# Only the progress lines and the errors are shown; a failed build ends the script.
cmake --build "$build" --parallel "$(nproc)" 2>&1 | { grep --line-buffered -E '^\[ *[0-9]+%\]|[Ee]rror' || true; }
site="$(cd "$build/site" && pwd)"

if ((serve == 0)); then
    echo "web.sh: the page is in $site"
    exit 0
fi
echo "web.sh: the page is in $site; copy that folder to any static web host."
echo "web.sh: serving it at http://127.0.0.1:$port/ (Ctrl+C ends)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
