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

# The build trees and their options are the presets of CMakePresets.json.
build=build-test
cmake --preset test "${launcher[@]}" >/dev/null
cmake --build --preset test --parallel "$(nproc)"

# clang-tidy (.clang-tidy) over every source file of src/, Qt code included; moc's and uic's
# output lives in the build folder and is not checked. It reads the build's
# compile_commands.json. Its count of warnings left out (those of system headers) is dropped;
# any finding fails the command (xargs exits non-zero when a clang-tidy run does).
tidy_status=0
# tidy DATABASE_FOLDER PATHSPEC [CLANG_TIDY_ARGUMENT...]
tidy() {
    local database=$1 pathspec=$2
    shift 2
    git ls-files -z "$pathspec" |
        xargs -0 -P "$(nproc)" -n 4 clang-tidy -p "$database" --quiet "$@" 2>&1 |
        { grep -v -E '^[0-9]+ warnings? generated\.$' || true; } || tidy_status=$?
}
tidy "$build" 'src/*.cpp'
# The fuzz targets with the flags of their clang build (the one the fuzz run below builds).
if command -v clang++ >/dev/null; then
    cmake --preset test-fuzz "${launcher[@]}" >/dev/null
    tidy build-test-fuzz 'fuzz/*.cpp'
else
    echo "clang++ is missing: clang-tidy skipped fuzz/"
fi
# The page's sources include Emscripten's headers, so they are checked against the page's
# build (the folder its browser test builds in) with the WebAssembly target and the sysroot
# that em++ adds to each compile.
if command -v emcmake >/dev/null; then
    emcmake cmake --preset web -B "$build/web" >/dev/null
    read -ra em_flags <<<"$(em++ --cflags)"
    tidy "$build/web" 'web/*.cpp' "${em_flags[@]/#/--extra-arg-before=}"
else
    echo "Emscripten is missing: clang-tidy skipped web/"
fi
if ((tidy_status != 0)); then
    echo "clang-tidy reported findings (see above)" >&2
    exit 1
fi

# The optimised build as well (what run.sh and the benchmarks use): GCC warns differently at
# -O2 and above, and warnings are errors, so a change must compile there too.
cmake --preset optimised "${launcher[@]}" >/dev/null
cmake --build --preset optimised --parallel "$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
# LeakSanitizer stays on; only the third-party libraries named in the file are suppressed (the
# ctest registration sets the same for a plain ctest run).
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300

# The fuzz targets, when clang can link libFuzzer: the sanitizer build above is GCC's, so they are
# built with clang in a small build of their own (only the Qt-free libraries, as
# scripts/fuzz-ini.sh does) and each runs 20 seconds on a fresh copy of its checked-in corpus.
# A crash, a leak or a failed check fails the test.
fuzz_probe=$(mktemp -d)
trap 'rm -rf "$fuzz_probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$fuzz_probe/probe.cpp"
if command -v clang++ >/dev/null &&
    clang++ -fsanitize=fuzzer,address "$fuzz_probe/probe.cpp" -o "$fuzz_probe/probe" 2>/dev/null; then
    fuzz_build=build-test-fuzz
    cmake --preset test-fuzz "${launcher[@]}" >/dev/null
    fuzz_targets=()
    for corpus in fuzz/corpus/*/; do
        fuzz_targets+=("$(basename "$corpus")")
    done
    cmake --build --preset test-fuzz --parallel "$(nproc)" \
        --target "${fuzz_targets[@]/%/_fuzzer}"
    # The targets save files with fsync; on a memory file system that costs nothing.
    fuzz_tmp=$fuzz_probe
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        fuzz_tmp=$(mktemp -d /dev/shm/tintrel-fuzz.XXXXXX)
        trap 'rm -rf "$fuzz_probe" "$fuzz_tmp"' EXIT
    fi
    for target in "${fuzz_targets[@]}"; do
        cp -r "fuzz/corpus/$target" "$fuzz_probe/corpus-$target"
        dict=()
        if [ -f "fuzz/$target.dict" ]; then
            dict=(-dict="fuzz/$target.dict")
        fi
        echo "Fuzzing $target for 20 seconds"
        TMPDIR=$fuzz_tmp "$fuzz_build/fuzz/${target}_fuzzer" "$fuzz_probe/corpus-$target" "${dict[@]}" \
            -max_total_time=20 -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
            -artifact_prefix="$fuzz_probe/$target-" -print_final_stats=0 2>"$fuzz_probe/$target.log" || {
            tail -n 40 "$fuzz_probe/$target.log"
            mkdir -p fuzz/findings
            cp "$fuzz_probe/$target"-* fuzz/findings/ 2>/dev/null || true
            echo "The $target fuzzer failed; its input is in fuzz/findings/" >&2
            exit 1
        }
    done
else
    echo "clang cannot link libFuzzer here: the fuzz targets ran only on their stored corpora"
fi
