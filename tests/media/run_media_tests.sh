#!/bin/sh
# Makes AVI and MPEG files with ffmpeg and runs the analyser tests that need them.
# Usage: tests/media/run_media_tests.sh [NATIVE_BUILD_DIR]   (default build/native)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/native}
tests="$build/tests/unit/cl_unit_tests"
[ -x "$tests" ] || { echo "run_media_tests: no unit test binary at $tests" >&2; exit 1; }
for tool in ffmpeg ffprobe; do
    command -v $tool >/dev/null || { echo "run_media_tests: $tool is missing (apt-get install ffmpeg)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/make_fixtures.sh" "$work"
log="$work/gtest.log"
status=0
CL_MEDIA_FIXTURES="$work" "$tests" --gtest_filter='*MediaFiles*' --gtest_brief=0 >"$log" 2>&1 || status=$?
cat "$log"
[ $status -eq 0 ] || exit $status
# Every fixture test must really have run: a skip here means the fixtures did not reach them.
if grep -q '^\[  SKIPPED \]' "$log"; then echo "run_media_tests: tests were skipped" >&2; exit 1; fi
grep -q '^\[  PASSED  \] [1-9]' "$log" || { echo "run_media_tests: no test ran" >&2; exit 1; }
