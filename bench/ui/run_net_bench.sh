#!/usr/bin/env bash
# Builds the Windows program and the network benchmark, and runs it under Wine: a movie list upload between two
# running copies over loopback beside the same bytes over plain sockets.
# Usage: bench/ui/run_net_bench.sh [MOVIES] [ROUNDS]
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake </dev/null >/dev/null
cmake --build build/win -j2 --target cl_net_bench
CL_WINE_TIMEOUT=900 tools/wine-run.sh build/win/bench/ui/cl_net_bench.exe "$@"
