#!/usr/bin/env bash
# Runs every test tier: the source checks (layering of the includes, share of test code, formatting), native build
# and unit tests, Windows build and end-to-end tests under Wine, fuzz build and a short run of each fuzz target, and
# the extra test steps tests/*/run_*.sh. Installs what is missing first.
# Ends with "N passed, N failed" over the steps and exits non-zero when any step failed.
#
# Environment: FUZZ_SECONDS  seconds per fuzz target (default 10)
#              CL_SKIP       space-separated tiers to leave out: checks native windows fuzz extra
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
ROOT=$PWD
source tools/deps.sh

FUZZ_SECONDS=${FUZZ_SECONDS:-10}
SKIP=" ${CL_SKIP:-} "
PASSED=()
FAILED=()
START=$(date +%s)

# step NAME LIMIT_SECONDS COMMAND... : runs one step with a time limit and records its result.
step() {
    local name=$1 limit=$2
    shift 2
    local t0 rc
    t0=$(date +%s)
    echo
    echo "=== $name"
    timeout --kill-after=30 "$limit" "$@" </dev/null
    rc=$?
    if ((rc == 0)); then
        PASSED+=("$name")
        echo "=== $name: passed ($(($(date +%s) - t0)) s)"
    else
        ((rc == 124 || rc == 137)) && echo "=== $name: ended after the limit of $limit s"
        FAILED+=("$name")
        echo "=== $name: FAILED (exit $rc, $(($(date +%s) - t0)) s)"
    fi
    return $rc
}

skipped() { [[ "$SKIP" == *" $1 "* ]]; }

# The display, wineserver and programs of the Windows tier end with this script.
trap '[[ -x tools/wine-run.sh && -d build/win/wine ]] && tools/wine-run.sh --stop build/win >/dev/null 2>&1' EXIT

step "install missing packages" 3600 bash -c 'source tools/deps.sh && cl_install_missing "${CL_TEST_PACKAGES[@]}"'

if ! skipped checks; then
    step "include graph" 60 python3 tools/include-graph.py
    step "share of test code" 60 tools/test-ratio.sh
    step "formatting" 300 tools/check-format.sh
fi

if ! skipped native; then
    if step "native configure" 300 cmake -S . -B build/native -G Ninja &&
        step "native build" 2400 cmake --build build/native -j2; then
        step "unit tests" 1200 ctest --test-dir build/native --output-on-failure -j2 --timeout 300
    fi
fi

if ! skipped windows; then
    if step "windows configure" 300 cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake &&
        step "windows build" 2400 cmake --build build/win -j2; then
        # Without a display, tools/wine-run.sh (the emulator ctest runs the tests through) starts Xvfb itself.
        step "end-to-end tests (Wine)" 1800 ctest --test-dir build/win --output-on-failure --timeout 300
    fi
fi

if ! skipped fuzz; then
    if step "fuzz configure" 300 env CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCL_FUZZ=ON &&
        step "fuzz build" 2400 cmake --build build/fuzz -j2; then
        for source in fuzz/*_fuzz.cpp; do
            [[ -e "$source" ]] || continue
            name=$(basename "$source" .cpp)
            # libFuzzer adds what it finds to the first folder: a copy keeps the committed seeds unchanged.
            corpus=build/fuzz/corpus/$name
            mkdir -p "$corpus"
            [[ -d fuzz/corpus/$name ]] && cp -r "fuzz/corpus/$name/." "$corpus/"
            step "fuzz $name (${FUZZ_SECONDS} s)" $((FUZZ_SECONDS + 120)) \
                "build/fuzz/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
                -print_final_stats=1 "$corpus"
        done
    fi
fi

# Extra steps that a subsystem brings along (media tests that need ffmpeg, say): tests/<area>/run_<what>.sh,
# run from the repository root with the build folders in the environment.
if ! skipped extra; then
    for script in tests/*/run_*.sh; do
        [[ -e "$script" ]] || continue
        step "$script" 1800 env CL_ROOT="$ROOT" CL_BUILD_NATIVE="$ROOT/build/native" CL_BUILD_WIN="$ROOT/build/win" \
            CL_BUILD_FUZZ="$ROOT/build/fuzz" bash "$script"
    done
fi

echo
echo "=== Summary ($(($(date +%s) - START)) s)"
for name in "${PASSED[@]}"; do echo "  passed  $name"; done
for name in "${FAILED[@]}"; do echo "  FAILED  $name"; done
echo "${#PASSED[@]} passed, ${#FAILED[@]} failed"
((${#FAILED[@]} == 0))
