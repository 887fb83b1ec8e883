#!/usr/bin/env bash
# Checks the formatting, builds Tintrel with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs clang-tidy over all of src/, compiles the optimised build and runs every test.
# Widget tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Formatting: every tracked C++ file as .clang-format has it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# Compiles go through ccache (the setup installs it): a second run, or a clone in another folder
# (paths are taken relative to the clone), compiles only what changed.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build=build-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTINTREL_SANITIZE=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# clang-tidy (.clang-tidy) over every source file of src/, Qt code included; moc's and uic's
# output lives in the build folder and is not checked. It reads the build's
# compile_commands.json. Its count of warnings left out (those of system headers) is dropped;
# any finding fails the command (xargs exits non-zero when a clang-tidy run does).
tidy_status=0
git ls-files -z 'src/*.cpp' |
    xargs -0 -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>&1 |
    { grep -v -E '^[0-9]+ warnings? generated\.$' || true; } || tidy_status=$?
if ((tidy_status != 0)); then
    echo "clang-tidy reported findings (see above)" >&2
    exit 1
fi

# The optimised build as well (what run.sh and the benchmarks use): GCC warns differently at
# -O2 and above, and warnings are errors, so a change must compile there too.
cmake -S . -B build-optimised -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-optimised --parallel "$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
# LeakSanitizer stays on; only the third-party libraries named in the file are suppressed (the
# ctest registration sets the same for a plain ctest run).
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
