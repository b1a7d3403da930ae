#!/usr/bin/env bash
# Runs a Windows program of the build under Wine; CMake uses it as the cross-compiling emulator, so ctest runs the
# end-to-end tests through it. One Wine prefix per build folder, made once; one wineserver kept alive between
# programs; an Xvfb display of its own when no DISPLAY is set. Never reads stdin and never waits without a limit.
#
#   tools/wine-run.sh PROGRAM.exe [ARGS...]   run PROGRAM (a Linux path); exits with its exit code
#   tools/wine-run.sh --prepare [BUILD_DIR]   make the prefix and start the server and display only
#   tools/wine-run.sh --stop [BUILD_DIR]      end the wineserver, its programs and the Xvfb started here
#
# Environment:
#   CL_WINE_BUILD_DIR  build folder holding wine/ (default: the nearest folder above PROGRAM, or above the current
#                      folder, that has a CMakeCache.txt; else the current folder)
#   CL_WINE_TIMEOUT    seconds a program may run before it is ended (default 900; 0: no limit)
#   CL_WINE_IDLE       seconds without any program after which the server and the display end (default 300)
set -uo pipefail

die() {
    echo "wine-run: $*" >&2
    exit 125
}

find_build_dir() {
    local dir
    for dir in "$@"; do
        while [[ -n "$dir" && "$dir" != "/" ]]; do
            [[ -f "$dir/CMakeCache.txt" ]] && { echo "$dir"; return; }
            dir=$(dirname "$dir")
        done
    done
    pwd
}

now() { date +%s; }

# --- Lifetime of the server and the display ------------------------------------------------------------------------

# Ends the wineserver of the prefix (and with it every Windows program of the prefix) and the Xvfb started here.
stop_all() {
    if [[ -d "$WINEPREFIX" ]]; then
        timeout 30 wineserver -k >/dev/null 2>&1 || true
    fi
    if [[ -f "$STATE/xvfb.pid" ]]; then
        local pid
        pid=$(cat "$STATE/xvfb.pid" 2>/dev/null || true)
        [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
        rm -f "$STATE/xvfb.pid" "$STATE/xvfb.display"
    fi
}

any_active() {
    local f pid
    for f in "$STATE"/active/*; do
        [[ -e "$f" ]] || continue
        pid=${f##*/}
        if kill -0 "$pid" 2>/dev/null; then return 0; fi
        rm -f "$f"
    done
    return 1
}

# Runs detached. Ends the server and the display once no program has run for CL_WINE_IDLE seconds, so that a ctest
# run by hand leaves nothing behind for long.
watchdog() {
    echo $$ >"$STATE/watchdog.pid"
    while true; do
        sleep 5
        if any_active; then continue; fi
        local last
        last=$(stat -c %Y "$STATE/last-use" 2>/dev/null || echo 0)
        if (($(now) - last >= IDLE)); then
            exec 9>"$STATE/lock"
            flock -w 60 9 || { exec 9>&-; continue; }
            if any_active; then
                exec 9>&-
                continue
            fi
            stop_all
            rm -f "$STATE/watchdog.pid"
            return 0
        fi
    done
}

alive() { [[ -f "$1" ]] && kill -0 "$(cat "$1" 2>/dev/null)" 2>/dev/null; }

start_display() {
    if [[ -n "${DISPLAY:-}" ]]; then return 0; fi
    if alive "$STATE/xvfb.pid" && [[ -s "$STATE/xvfb.display" ]]; then
        export DISPLAY=":$(cat "$STATE/xvfb.display")"
        return 0
    fi
    command -v Xvfb >/dev/null || die "no DISPLAY and no Xvfb: install the package xvfb"
    rm -f "$STATE/xvfb.display"
    # -displayfd picks a free display number and writes it once the server accepts clients.
    setsid Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -ac \
        5>"$STATE/xvfb.display" </dev/null >>"$STATE/xvfb.log" 2>&1 9>&- &
    echo $! >"$STATE/xvfb.pid"
    local deadline=$(($(now) + 20))
    while [[ ! -s "$STATE/xvfb.display" ]]; do
        alive "$STATE/xvfb.pid" || die "Xvfb did not start (see $STATE/xvfb.log)"
        (($(now) < deadline)) || die "Xvfb gave no display within 20 s (see $STATE/xvfb.log)"
        sleep 0.1
    done
    export DISPLAY=":$(tr -dc 0-9 <"$STATE/xvfb.display")"
}

# Wine's set-up output goes to a file, never to a pipe: the processes Wine leaves running would keep a pipe open.
setup_failed() {
    tail -n 20 "$STATE/setup.log" >&2
    die "$1 (see $STATE/setup.log)"
}

make_prefix() {
    [[ -f "$WINEPREFIX/.cl-ready" ]] && return 0
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    local start
    start=$(now)
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout --kill-after=10 300 wine wineboot --init </dev/null >>"$STATE/setup.log" 2>&1 9>&- ||
        setup_failed "wineboot failed or timed out"
    # Without a window manager Wine would otherwise stall after every closed dialog and drop a message.
    timeout --kill-after=10 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        </dev/null >>"$STATE/setup.log" 2>&1 9>&- || setup_failed "setting Managed=N failed"
    # Let the server write the registry to disk before it is made persistent.
    timeout 60 wineserver -w </dev/null >>"$STATE/setup.log" 2>&1 9>&- ||
        timeout 30 wineserver -k </dev/null >>"$STATE/setup.log" 2>&1 9>&-
    touch "$WINEPREFIX/.cl-ready"
    echo "wine-run: prefix ready in $(($(now) - start)) s" >&2
}

start_server() {
    # A second "wineserver -p" for a prefix whose server runs exits at once; otherwise it becomes the server.
    # Its descriptors must not be ctest's pipes, or ctest would wait for it.
    timeout 30 wineserver -p </dev/null >/dev/null 2>&1 9>&- 5>&- || true
    if ! alive "$STATE/watchdog.pid"; then
        setsid "$SELF" --watchdog "$BUILD" </dev/null >>"$STATE/watchdog.log" 2>&1 9>&- &
        disown
    fi
}

prepare() {
    mkdir -p "$STATE/active"
    exec 9>"$STATE/lock"
    flock -w 600 9 || die "another set-up holds $STATE/lock for 10 minutes"
    touch "$STATE/last-use"
    start_display
    make_prefix
    start_server
    exec 9>&-
}

# --- Main ----------------------------------------------------------------------------------------------------------

SELF=$(readlink -f "$0")
MODE=run
case "${1:-}" in
    --prepare | --stop | --watchdog)
        MODE=${1#--}
        shift
        ;;
    "" | -h | --help)
        sed -n '2,17p' "$SELF" | sed 's/^# \{0,1\}//'
        exit 2
        ;;
esac

if [[ -n "${CL_WINE_BUILD_DIR:-}" ]]; then
    BUILD=$CL_WINE_BUILD_DIR
elif [[ "$MODE" != run && -n "${1:-}" ]]; then
    BUILD=$1
elif [[ "$MODE" == run ]]; then
    BUILD=$(find_build_dir "$(dirname "$(readlink -f "$1")")" "$PWD")
else
    BUILD=$(find_build_dir "$PWD")
fi
BUILD=$(readlink -f "$BUILD")
STATE=$BUILD/wine
IDLE=${CL_WINE_IDLE:-300}
export WINEPREFIX=$STATE/prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer prompt, neither at creation nor after a Wine upgrade refreshes the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$STATE"

case "$MODE" in
    stop)
        exec 9>"$STATE/lock"
        flock -w 60 9 || true
        if alive "$STATE/watchdog.pid"; then kill "$(cat "$STATE/watchdog.pid")" 2>/dev/null; fi
        rm -f "$STATE/watchdog.pid"
        stop_all
        exit 0
        ;;
    watchdog)
        watchdog
        exit 0
        ;;
    prepare)
        prepare
        echo "wine-run: prefix $WINEPREFIX, DISPLAY=$DISPLAY"
        exit 0
        ;;
esac

program=$1
shift
[[ -f "$program" ]] || die "no such program: $program"
command -v wine >/dev/null || die "Wine is not installed: install the packages wine and wine64"

prepare
touch "$STATE/active/$$"
trap 'rm -f "$STATE/active/$$"; touch "$STATE/last-use"' EXIT

# Programs that Wine starts on the side (services, the desktop process) may inherit the output descriptors; files
# rather than ctest's pipes keep such a straggler from holding ctest up.
out=$(mktemp "$STATE/out.XXXXXX")
err=$(mktemp "$STATE/err.XXXXXX")
limit=${CL_WINE_TIMEOUT:-900}
if [[ "$limit" == 0 ]]; then
    wine "$program" "$@" </dev/null >"$out" 2>"$err"
else
    timeout --kill-after=10 "$limit" wine "$program" "$@" </dev/null >"$out" 2>"$err"
fi
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
if [[ "$rc" == 124 || "$rc" == 137 ]] && [[ "$limit" != 0 ]]; then
    echo "wine-run: $program ended after the limit of $limit s" >&2
fi
exit "$rc"
