#!/usr/bin/env bash
# The same sources give the same CineLedger.exe wherever they are built: a copy of the working tree at another path
# is built from an empty folder (the program only, no compiler cache, which would hand back the first build's
# objects) and compared byte for byte with the test run's Windows build. Run by tools/test.sh (CL_ROOT, CL_BUILD_WIN).
set -euo pipefail
ROOT=${CL_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
BUILD=${CL_BUILD_WIN:-$ROOT/build/win}
WORK=$BUILD/reproducible-test
REFERENCE=$BUILD/app/CineLedger.exe
# The reference is the test run's build, brought up to date with the sources in case they changed since.
[[ -f "$BUILD/CMakeCache.txt" ]] ||
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD" -j2 --target CineLedger >/dev/null

rm -rf "$WORK"
mkdir -p "$WORK/source"
# The tracked and new files as they are now, uncommitted changes included.
(cd "$ROOT" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [[ -e "$file" ]] && printf '%s\0' "$file"; done |
    tar --null -T - -cf -) | tar -xf - -C "$WORK/source"

export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
trap 'CL_WINE_BUILD_DIR="$WORK/build" "$ROOT/tools/wine-run.sh" --stop >/dev/null 2>&1' EXIT
cmake -S "$WORK/source" -B "$WORK/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$WORK/source/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE="$type" -DCL_TESTS=OFF -DCL_BENCH=OFF >"$WORK/build.log" 2>&1 &&
    cmake --build "$WORK/build" -j2 --target CineLedger >>"$WORK/build.log" 2>&1 ||
    { tail -20 "$WORK/build.log"; echo "reproducible build: the second build failed (see $WORK/build.log)"; exit 1; }

if ! cmp "$REFERENCE" "$WORK/build/app/CineLedger.exe"; then
    echo "reproducible build: FAILED: CineLedger.exe differs between $BUILD and $WORK/build" >&2
    exit 1
fi
echo "reproducible build: CineLedger.exe is the same built in $WORK/build ($(stat -c %s "$REFERENCE") bytes)"
CL_WINE_BUILD_DIR="$WORK/build" "$ROOT/tools/wine-run.sh" --stop >/dev/null 2>&1 || true
trap - EXIT
rm -rf "$WORK"
