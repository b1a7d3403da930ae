#!/usr/bin/env bash
# Prints on a real printer: starts the CUPS scheduler when it is not running (and stops it again at the end), adds
# a CUPS-PDF queue "PDF" as the default printer, which Wine offers to Windows programs, and runs the printing
# end-to-end tests (tests/e2e/Printing_test.cpp) under Wine. At the end the host's default printer is set back and
# a queue it added removed again. Skipped, saying why, only where CUPS cannot run or the queue cannot be set up
# without root.
# Usage: tests/print/run_print_tests.sh [WINDOWS_BUILD_DIR]   (default build/win)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${CL_BUILD_WIN:-$root/build/win}}
tests=$build/tests/e2e/cl_e2e_tests.exe
queue=PDF
[[ -f $tests ]] || { echo "run_print_tests: no $tests: build the Windows tier first" >&2; exit 1; }
skip() {
    echo "run_print_tests: SKIPPED: $*"
    exit 0
}
running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
# Setting up the queue needs root, or a scheduler that lets this user administer it.
admin_failed() {
    [[ $(id -u) == 0 ]] || skip "$*, and only root may (or an administrator of CUPS: see README.md)"
    echo "run_print_tests: $*" >&2
    exit 1
}
cleanup() {
    rm -f "${log:-}"
    [[ -z ${restore:-} ]] || lpadmin -d "$restore" || echo "run_print_tests: $restore is no longer the default" >&2
    [[ -z ${remove:-} ]] || lpadmin -x "$remove" || echo "run_print_tests: could not remove the queue $remove" >&2
    [[ -z ${cupsd_pid:-} ]] || kill "$cupsd_pid" 2>/dev/null
}
trap cleanup EXIT

source "$root/tools/deps.sh"
cl_install_missing "${CL_PRINT_PACKAGES[@]}" || skip "${CL_PRINT_PACKAGES[*]} are missing and cannot be installed"
if ! running; then
    [[ $(id -u) == 0 ]] || skip "the CUPS scheduler is not running, and only root may start it"
    # In the foreground, so that this script knows the scheduler it started and ends it.
    setsid cupsd -f </dev/null >/dev/null 2>&1 &
    cupsd_pid=$!
    for _ in $(seq 100); do running && break; sleep 0.2; done
    running || skip "cupsd did not start"
fi
previous=$(LC_ALL=C lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    lpadmin -p "$queue" -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
        admin_failed "lpadmin could not add the queue $queue"
    remove=$queue
fi
if [[ $previous != "$queue" ]]; then
    lpadmin -d "$queue" 2>/dev/null || admin_failed "lpadmin could not make $queue the default printer"
    restore=$previous
fi

# CUPS-PDF writes into the folder its configuration names, ${HOME}/PDF of the job's owner by default.
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out=$(sed -n 's/^Out[[:space:]]\{1,\}//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$home}
out=${out//'${USER}'/$user}
mkdir -p "$out"

log=$(mktemp)
CL_PRINT_PDF_DIR=$out "$root/tools/wine-run.sh" "$tests" --gtest_filter='Printing*' >"$log" 2>&1
status=$?
cat "$log"
((status == 0)) || exit $status
if grep -q '^\[  SKIPPED \]' "$log"; then echo "run_print_tests: tests were skipped" >&2; exit 1; fi
ran=$(sed -n 's/^\[  PASSED  \] \([0-9]\{1,\}\) test.*/\1/p' "$log")
[[ ${ran:-0} -gt 0 ]] || { echo "run_print_tests: no test ran" >&2; exit 1; }
echo "run_print_tests: $ran printing tests ran on the CUPS-PDF queue $queue, PDFs in $out"
