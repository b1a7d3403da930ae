#!/usr/bin/env bash
# Builds the Windows program and the main window benchmark, and runs it under Wine: start-up with and without
# 100,000 movies, View Movies and the exchange list of 20,000 offered movies against a bare sorted list box loop.
# Usage: bench/ui/run_ui_bench.sh [MOVIES] [ROUNDS]
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake </dev/null >/dev/null
cmake --build build/win -j2 --target cl_ui_bench
CL_WINE_TIMEOUT=1800 tools/wine-run.sh build/win/bench/ui/cl_ui_bench.exe "$@"
