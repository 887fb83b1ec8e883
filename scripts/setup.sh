#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Tintrel need, when any is
# missing. Run by run.sh and test.sh; safe to run again. With --web, only what building the page
# needs (web.sh).
set -euo pipefail

TINTREL_PACKAGES=(
    build-essential cmake pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-svg-dev qt6-l10n-tools qt6-tools-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libicu-dev
    clang libclang-rt-14-dev clang-format clang-tidy git
    fonts-ipafont-gothic fonts-noto-color-emoji fonts-dejavu-extra
    tidy
    abigail-tools python3-pytest
    xvfb xauth x11-utils
    librsvg2-bin
    dbus at-spi2-core python3-pyatspi python3-yaml
    appstream desktop-file-utils help2man dpkg-dev
    emscripten nodejs npm chromium
)
# The page alone (scripts/web.sh) needs only Emscripten and what runs its build.
if [[ "${1:-}" == "--web" ]]; then
    TINTREL_PACKAGES=(cmake make python3 emscripten nodejs)
fi

missing=()
for package in "${TINTREL_PACKAGES[@]}"; do
    # A Node.js from another source brings its own npm, and Debian's npm cannot be installed
    # beside it: an npm on the PATH is enough.
    if [[ $package == npm ]] && command -v npm >/dev/null; then
        continue
    fi
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "Installing missing packages: ${missing[*]}"
    sudo_cmd=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
