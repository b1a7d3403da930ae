#!/usr/bin/env bash
# Installs Debian packages that are missing, and only those; sourced by tools/run.sh and tools/test.sh.
# Never prompts: apt runs non-interactively, with a time limit.

# cl_install_missing PACKAGE... : apt-get update and install when at least one package is not installed yet.
cl_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    ((${#missing[@]} == 0)) && return 0

    local sudo=()
    if [[ $(id -u) != 0 ]]; then
        command -v sudo >/dev/null || {
            echo "deps: missing ${missing[*]}, and not root and no sudo to install them" >&2
            return 1
        }
        sudo=(sudo -n)
    fi
    echo "deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    timeout 900 "${sudo[@]}" apt-get update -q </dev/null || return 1
    timeout 1800 "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

# What building and starting the Windows program needs.
CL_WINDOWS_PACKAGES=(cmake ninja-build mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth googletest)
# What tools/package.sh needs beside the Windows build: the installer builder and Python for the zip.
CL_PACKAGE_PACKAGES=("${CL_WINDOWS_PACKAGES[@]}" wixl msitools python3)
# Everything the test tiers need: source checks, native, Windows under Wine, fuzzing, media tools of the media tests,
# packaging, and the printer of the printing tests (CUPS with a PDF queue, and pdftotext to read what it printed).
CL_PRINT_PACKAGES=(cups printer-driver-cups-pdf poppler-utils)
CL_TEST_PACKAGES=("${CL_PACKAGE_PACKAGES[@]}" g++ libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
    ffmpeg mediainfo "${CL_PRINT_PACKAGES[@]}")
