#!/usr/bin/env bash
# Builds CineLedger.exe with MinGW-w64 and starts it under Wine, installing what is missing first.
# Without a display the program runs on a virtual Xvfb screen (nothing shows, but the program is alive).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
source tools/deps.sh

cl_install_missing "${CL_WINDOWS_PACKAGES[@]}"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake </dev/null
cmake --build build/win -j2 --target CineLedger cineledger-cli

if [[ -z "${DISPLAY:-}" ]]; then
    echo "run: no DISPLAY is set: CineLedger runs on a virtual Xvfb display and will not be visible."
    echo "run: set DISPLAY to see it; stop it with tools/wine-run.sh --stop build/win"
fi
echo "run: starting build/win/app/CineLedger.exe (its data lives beside it, in build/win/app/)"
CL_WINE_TIMEOUT=0 exec tools/wine-run.sh build/win/app/CineLedger.exe "$@"
