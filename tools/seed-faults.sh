#!/usr/bin/env bash
# Seeds the faults of tools/seed-faults.tsv into the product code one at a time and counts how many the tests catch.
#
#   tools/seed-faults.sh [--only ID,ID...] [--build-dir-native DIR] [--build-dir-win DIR] [--table FILE]
#                        [--e2e-deadline MINUTES] [--no-e2e]
#
# For each fault: the file's pristine bytes are kept aside, the old text is replaced literally by the new one, the
# code is built and tested, and the pristine file is put back (also on an error or an interrupt).
#   - A portable file (no "_win" in its name) is first built natively and checked by the native tests (unit tests
#     and the command-line checks; the media fixture tests too when ffmpeg is there): a failure is "caught:unit".
#   - A "_win" file, or a fault the native tests let through, is built for Windows and checked by the end-to-end
#     tests under Wine (one at a time, stopping at the first failure): a failure is "caught:e2e", all passing "MISSED".
#   - "build-error": the faulted code does not build (the table entry needs fixing).
#   - "not-applicable": the file is missing or the old text does not occur exactly once (the code moved on: update
#     the table entry).
#   - "not-run": the end-to-end tier was left out (--no-e2e, or --e2e-deadline had passed).
# All native checks run first, then the end-to-end ones, so a run cut short has every cheap result. The build folders
# are reused (incremental builds) and rebuilt once at the end so that they match the sources again.
#
# Output: a table (id, file, result, seconds, first failed test) on stdout and in build/seed-faults/results.tsv,
# logs per fault in build/seed-faults/logs/, and the line "caught N of M (unit U, e2e E), missed K".
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
ROOT=$PWD

NATIVE=build/native
WIN=build/win
TABLE=tools/seed-faults.tsv
ONLY=""
DEADLINE_MIN=""
RUN_E2E=1
while (($#)); do
    case $1 in
        --only) ONLY=$2; shift 2 ;;
        --build-dir-native) NATIVE=$2; shift 2 ;;
        --build-dir-win) WIN=$2; shift 2 ;;
        --table) TABLE=$2; shift 2 ;;
        --e2e-deadline) DEADLINE_MIN=$2; shift 2 ;;
        --no-e2e) RUN_E2E=0; shift ;;
        -h | --help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
        *) echo "seed-faults: unknown option $1" >&2; exit 2 ;;
    esac
done

OUT=build/seed-faults
LOGS=$OUT/logs
PRISTINE=$OUT/pristine
mkdir -p "$LOGS" "$PRISTINE"
START=$(date +%s)
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$ROOT")}

# ---- The table (parsed by Python: the texts are used byte for byte) ----------------------------------------------

# fault_tool COMMAND ID... : "list" prints "id<TAB>file" of the selected faults; "check ID" exits 0 when the fault
# applies, 3 when not; "apply ID" replaces the old text by the new one in the file.
fault_tool() {
    python3 - "$TABLE" "$ONLY" "$@" <<'PY'
import sys
table, only, command, *ids = sys.argv[1:]
faults = {}
order = []
with open(table, encoding="utf-8", newline="") as f:
    for number, line in enumerate(f, 1):
        line = line.rstrip("\r\n")
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 5 or not fields[0] or not fields[2]:
            sys.exit(f"seed-faults: {table}:{number}: want 5 tab-separated fields with an id and an old text")
        if fields[0] in faults:
            sys.exit(f"seed-faults: {table}:{number}: id {fields[0]} appears twice")
        faults[fields[0]] = fields
        order.append(fields[0])

def occurrences(fault):
    try:
        with open(fault[1], "rb") as f:
            return f.read().count(fault[2].encode())
    except OSError:
        return -1

if command == "list":
    wanted = [i for i in only.split(",") if i] or order
    for i in wanted:
        if i not in faults:
            sys.exit(f"seed-faults: no fault with id {i} in {table}")
        print(f"{i}\t{faults[i][1]}")
elif command == "check":
    n = occurrences(faults[ids[0]])
    print({-1: "file missing", 0: "old text not found"}.get(n, f"old text found {n} times"))
    sys.exit(0 if n == 1 else 3)
elif command == "apply":
    fault = faults[ids[0]]
    with open(fault[1], "rb") as f:
        data = f.read()
    old, new = fault[2].encode(), fault[3].encode()
    if data.count(old) != 1:
        sys.exit(3)
    with open(fault[1], "wb") as f:
        f.write(data.replace(old, new, 1))
PY
}

# ---- Keeping the sources pristine ---------------------------------------------------------------------------------

CURRENT_FILE=""  # the file that holds a fault right now

# The pristine bytes go back with a new modification time, so the next build compiles the file again.
restore() {
    if [[ -n "$CURRENT_FILE" ]]; then
        cp "$PRISTINE/current" "$CURRENT_FILE" && CURRENT_FILE=""
    fi
}

apply_fault() {  # apply_fault ID FILE
    cp "$2" "$PRISTINE/current" || return 1
    CURRENT_FILE=$2
    fault_tool apply "$1"
}

# Builds and tests run in the background so that a signal is handled at once: the trap ends the running step
# (timeout passes the signal on to it) and puts the file back.
CHILD=""
run() {
    "$@" &
    CHILD=$!
    wait "$CHILD"
    local rc=$?
    CHILD=""
    return $rc
}

USED_WINE=0
on_exit() {
    if [[ -n "$CHILD" ]]; then
        kill -TERM "$CHILD" 2>/dev/null
        wait "$CHILD" 2>/dev/null
    fi
    restore
    if ((USED_WINE)) && [[ -d "$WIN/wine" ]]; then tools/wine-run.sh --stop "$WIN" >/dev/null 2>&1; fi
}
trap on_exit EXIT
trap 'echo "seed-faults: interrupted, restoring ${CURRENT_FILE:-nothing}" >&2; exit 130' INT TERM HUP

# ---- Building and testing -----------------------------------------------------------------------------------------

configure() {  # configure DIR [CMAKE ARGS...]
    local dir=$1
    shift
    [[ -f "$dir/CMakeCache.txt" ]] && return 0
    cmake -S . -B "$dir" -G Ninja "$@" >"$LOGS/configure-$(basename "$dir").log" 2>&1
}

build() {  # build DIR LOG
    run timeout --kill-after=30 3600 cmake --build "$1" -j2 >"$2" 2>&1
}

MEDIA_FIXTURES=""
prepare_media_fixtures() {
    command -v ffmpeg >/dev/null && command -v ffprobe >/dev/null || return 0
    if [[ ! -f "$OUT/media/.done" ]]; then
        rm -rf "$OUT/media"
        tests/media/make_fixtures.sh "$OUT/media" >"$LOGS/media-fixtures.log" 2>&1 && touch "$OUT/media/.done" ||
            return 0
    fi
    MEDIA_FIXTURES=$ROOT/$OUT/media
}

# First failed test named in a ctest log, for the table.
first_failure() {
    local name
    name=$(grep -m1 -E '^[[:space:]]*[0-9]+ - .*\((Failed|Timeout|SEGFAULT|Subprocess|Exception|Not Run|Child)' "$1" |
        sed -E 's/^[[:space:]]*[0-9]+ - ([^ ]+).*/\1/')
    [[ -z "$name" ]] && name=$(grep -m1 -E '\*\*\*(Failed|Timeout|Exception)' "$1" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/')
    echo "${name:--}"
}

unit_tier() {  # unit_tier ID : 0 passed, 1 failed
    local log=$LOGS/$1.unit.log
    CL_MEDIA_FIXTURES=$MEDIA_FIXTURES run timeout --kill-after=30 1800 ctest --test-dir "$NATIVE" -j2 --timeout 300 >"$log" 2>&1
}

e2e_tier() {  # e2e_tier ID : 0 passed, 1 failed
    local log=$LOGS/$1.e2e.log
    USED_WINE=1
    run timeout --kill-after=30 5400 ctest --test-dir "$WIN" --timeout 300 --stop-on-failure --output-on-failure >"$log" 2>&1
}

# ---- The run ------------------------------------------------------------------------------------------------------

fault_tool list >/dev/null || exit 2
mapfile -t SELECTED < <(fault_tool list)
((${#SELECTED[@]})) || { echo "seed-faults: no faults selected" >&2; exit 2; }

declare -A FILE RESULT SECONDS_SPENT DETAIL
IDS=()
for line in "${SELECTED[@]}"; do
    id=${line%%$'\t'*}
    IDS+=("$id")
    FILE[$id]=${line#*$'\t'}
    SECONDS_SPENT[$id]=0
    DETAIL[$id]="-"
    if why=$(fault_tool check "$id"); then
        RESULT[$id]=""
    else
        RESULT[$id]="not-applicable"
        DETAIL[$id]=$why
    fi
done

note() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

NATIVE_USED=0
WIN_USED=0

# Native tier: portable files only.
for id in "${IDS[@]}"; do
    [[ -z "${RESULT[$id]}" && "${FILE[$id]}" != *_win* ]] || continue
    if ((!NATIVE_USED)); then
        configure "$NATIVE" || { echo "seed-faults: cannot configure $NATIVE (see $LOGS)" >&2; exit 1; }
        prepare_media_fixtures
        NATIVE_USED=1
    fi
    t0=$(date +%s)
    note "$id: native build and unit tests (${FILE[$id]})"
    if ! apply_fault "$id" "${FILE[$id]}"; then
        RESULT[$id]="not-applicable"
    elif ! build "$NATIVE" "$LOGS/$id.native-build.log"; then
        RESULT[$id]="build-error"
    elif ! unit_tier "$id"; then
        RESULT[$id]="caught:unit"
        DETAIL[$id]=$(first_failure "$LOGS/$id.unit.log")
    fi
    restore
    SECONDS_SPENT[$id]=$(($(date +%s) - t0))
    note "$id: ${RESULT[$id]:-passed the unit tests} (${SECONDS_SPENT[$id]} s)"
done

# End-to-end tier: _win files and whatever the native tests let through.
for id in "${IDS[@]}"; do
    [[ -z "${RESULT[$id]}" ]] || continue
    if ((!RUN_E2E)); then
        RESULT[$id]="not-run"
        continue
    fi
    if [[ -n "$DEADLINE_MIN" ]] && (($(date +%s) - START >= DEADLINE_MIN * 60)); then
        RESULT[$id]="not-run"
        DETAIL[$id]="deadline"
        continue
    fi
    if ((!WIN_USED)); then
        configure "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ||
            { echo "seed-faults: cannot configure $WIN (see $LOGS)" >&2; exit 1; }
        WIN_USED=1
    fi
    t0=$(date +%s)
    note "$id: Windows build and end-to-end tests (${FILE[$id]})"
    if ! apply_fault "$id" "${FILE[$id]}"; then
        RESULT[$id]="not-applicable"
    elif ! build "$WIN" "$LOGS/$id.win-build.log"; then
        RESULT[$id]="build-error"
    elif ! e2e_tier "$id"; then
        RESULT[$id]="caught:e2e"
        DETAIL[$id]=$(first_failure "$LOGS/$id.e2e.log")
    else
        RESULT[$id]="MISSED"
    fi
    restore
    SECONDS_SPENT[$id]=$((SECONDS_SPENT[$id] + $(date +%s) - t0))
    note "$id: ${RESULT[$id]} (${SECONDS_SPENT[$id]} s)"
done

# The build folders follow the pristine sources again.
if ((NATIVE_USED)); then
    note "rebuilding $NATIVE from the pristine sources"
    build "$NATIVE" "$LOGS/final-native-build.log" || echo "seed-faults: final build of $NATIVE failed" >&2
fi
if ((WIN_USED)); then
    note "rebuilding $WIN from the pristine sources"
    build "$WIN" "$LOGS/final-win-build.log" || echo "seed-faults: final build of $WIN failed" >&2
fi

# ---- The report ---------------------------------------------------------------------------------------------------

RESULTS=$OUT/results.tsv
{
    printf 'id\tfile\tresult\tseconds\tfirst failed test\n'
    for id in "${IDS[@]}"; do
        printf '%s\t%s\t%s\t%s\t%s\n' "$id" "${FILE[$id]}" "${RESULT[$id]}" "${SECONDS_SPENT[$id]}" "${DETAIL[$id]}"
    done
} >"$RESULTS"
column -t -s $'\t' "$RESULTS" 2>/dev/null || cat "$RESULTS"

unit=0 e2e=0 missed=0 other=0
for id in "${IDS[@]}"; do
    case ${RESULT[$id]} in
        caught:unit) ((unit++)) ;;
        caught:e2e) ((e2e++)) ;;
        MISSED) ((missed++)) ;;
        *) ((other++)) ;;
    esac
done
measured=$((unit + e2e + missed))
summary="caught $((unit + e2e)) of $measured (unit $unit, e2e $e2e), missed $missed"
((other)) && summary+="; $other not measured (build-error, not-applicable or not-run)"
summary+="; $(( ($(date +%s) - START + 30) / 60 )) min"
echo "$summary" | tee -a "$RESULTS"
