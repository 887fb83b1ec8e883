#!/usr/bin/env bash
# Writes the interface of a built libtintrel as abidw sees it: only what tintrel.h declares,
# without source lines, so that the baseline in this folder changes only with the interface.
#   abi-dump.sh LIBRARY > libtintrel.abi     (after a change to the interface that is meant)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
abidw --exported-interfaces-only --headers-dir "$here/.." --drop-private-types --drop-undefined-syms \
    --no-corpus-path --no-comp-dir-path --no-show-locs "$1"
