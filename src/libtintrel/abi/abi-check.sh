#!/usr/bin/env bash
# Compares a built libtintrel with the baseline beside this script. An incompatible change (a
# function gone, a parameter or a type changed) fails; a compatible one (a function added) passes
# and shows the report, and the baseline is then remade with abi-dump.sh.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
current=$(mktemp)
trap 'rm -f "$current"' EXIT
"$here/abi-dump.sh" "$1" >"$current" || exit 1
report=$(abidiff --no-show-locs "${2:-$here/libtintrel.abi}" "$current")
status=$?
echo "$report"
# abidiff's status is a set of bits: 1 an error, 2 a usage error, 4 a change, 8 an incompatible one.
if ((status & 11)); then
    echo "libtintrel's interface changed incompatibly (abidiff status $status)" >&2
    exit 1
fi
echo "libtintrel's interface is compatible with its baseline"
