#!/usr/bin/env bash
# Builds Tintrel and starts the desktop program. It needs a display (an X11 or Wayland session,
# or a virtual one such as `xvfb-run scripts/run.sh`); without one it says so and exits with 1.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: no display to show the Tintrel window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "run.sh: start it from a desktop session, or on a virtual screen: xvfb-run scripts/run.sh" >&2
    exit 1
fi

scripts/setup.sh
build=build-release
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)"
exec "$build/src/app/tintrel" "$@"
