#!/usr/bin/env bash
# A manual check, not run by the tests: starts Tintrel on a virtual screen inside a D-Bus
# session of its own with the AT-SPI bus (at-spi2-core), and lets scripts/atspi_buttons.py list
# every button as a screen reader sees it. Needs xvfb, dbus, at-spi2-core and python3-pyatspi.
#   scripts/check-accessibility.sh [PATH/TO/tintrel]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build-test/src/app/tintrel}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The settings file goes beside the program, so the program runs from a folder of its own.
cp "$program" "$work/tintrel"
export HOME="$work" XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- bash -c '
    "$1/tintrel" & pid=$!
    status=0
    /usr/bin/python3 "$2" || status=$?
    kill -TERM "$pid"; wait "$pid" || true
    exit "$status"' check "$work" "$PWD/scripts/atspi_buttons.py"
