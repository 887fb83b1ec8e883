#!/usr/bin/env bash
# Builds and runs the examples of README.md's section "Using the engine from your program": the
# C one against the library as `cmake --install` installs it (found through tintrel.pc), the
# Python one with the module, each checked against tintrel-html's bytes.
#   readme-examples.sh SOURCE_DIR BUILD_DIR TINTREL_HTML
set -euo pipefail
source_dir=$1 build_dir=$2 companion=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The fenced block of `language` in the section.
example() {
    awk -v lang="$1" '
        /^## / { inside = ($0 == "## Using the engine from your program") }
        inside && $0 == "```" lang { block = 1; next }
        inside && block && $0 == "```" { exit }
        inside && block { print }' "$source_dir/README.md"
}

cmake --install "$build_dir" --prefix "$work/prefix" --component libtintrel >/dev/null
cmake --install "$build_dir" --prefix "$work/prefix" --component libtintrel-dev >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name tintrel.pc)")/..
export PKG_CONFIG_PATH=$libdir/pkgconfig

example c >"$work/hello.c"
[ -s "$work/hello.c" ] || { echo "README.md has no C example" >&2; exit 1; }
# shellcheck disable=SC2046
cc -std=c11 -Wall -Werror "$work/hello.c" -o "$work/hello" $(pkg-config --cflags --libs tintrel)
LD_LIBRARY_PATH=$libdir "$work/hello" >"$work/c.out"
env -i "$companion" --format ansi --start FF0000 --finish 0000FF "Hello, world" >"$work/c.expected"
cmp "$work/c.out" "$work/c.expected"

example python >"$work/hello.py"
[ -s "$work/hello.py" ] || { echo "README.md has no Python example" >&2; exit 1; }
LD_LIBRARY_PATH=$libdir PYTHONPATH=$source_dir/python TINTREL_LIBRARY= /usr/bin/python3 "$work/hello.py" >"$work/py.out"
{
    env -i "$companion" --format ansi --start FF0000 --finish 0000FF "Hello, world"
    env -i "$companion" --format minimessage --bold "Hello, world"
    echo # print's line end
} >"$work/py.expected"
cmp "$work/py.out" "$work/py.expected"
echo "The README's examples print tintrel-html's bytes"
