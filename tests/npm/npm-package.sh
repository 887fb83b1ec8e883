#!/usr/bin/env bash
# Installs the npm package that the page's build made (scripts/web.sh --build-only WEB_BUILD)
# into an empty folder as a program would, and runs the package's tests there with Node's own
# runner.
#   npm-package.sh SOURCE_DIR WEB_BUILD TINTREL_HTML
set -euo pipefail
source_dir=$1
tarball=$(ls "$2"/npm/tintrel-*.tgz)
export TINTREL_HTML_PROGRAM=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
echo '{"name": "tintrel-user", "private": true, "type": "module"}' >package.json
npm install --silent --no-audit --no-fund --offline "$tarball"
cp "$source_dir/tests/npm/package.test.mjs" .
node --test package.test.mjs

# README.md's JavaScript example, run as it stands there.
awk '/^## / { inside = ($0 == "## Using the engine from your program") }
     inside && $0 == "```js" { block = 1; next }
     inside && block && $0 == "```" { exit }
     inside && block { print }' "$source_dir/README.md" >hello.mjs
[ -s hello.mjs ] || { echo "README.md has no JavaScript example" >&2; exit 1; }
node hello.mjs >js.out
{
    env -i "$TINTREL_HTML_PROGRAM" --format ansi --start FF0000 --finish 0000FF "Hello, world"
    env -i "$TINTREL_HTML_PROGRAM" --format minimessage --bold "Hello, world"
    echo # console.log's line end
} >js.expected
cmp js.out js.expected
echo "The README's JavaScript example prints tintrel-html's bytes"
