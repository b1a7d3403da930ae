#!/usr/bin/env bash
# Checks that every .cpp and .h file git tracks is formatted as .clang-format says; lists the files that are not and
# exits 1 then. Formats nothing: `clang-format -i FILE...` does that.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 2; }

# One error per file is enough to name it: clang-format reports "FILE:LINE:COL: error: ..." and fails.
rc=0
report=$(git ls-files -z -- '*.cpp' '*.h' |
    xargs -0 -r clang-format --style=file --dry-run -Werror --ferror-limit=1 2>&1 >/dev/null) || rc=$?
differing=$(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$report" | sort -u)
if ((rc != 0)) && [[ -z "$differing" ]]; then
    echo "$report" >&2
    echo "clang-format failed (exit $rc)" >&2
    exit 2
fi
total=$(git ls-files -- '*.cpp' '*.h' | wc -l)

if [[ -n "$differing" ]]; then
    echo "$differing"
    echo "$(wc -l <<<"$differing") of $total files differ from .clang-format (clang-format -i FILE... formats them)"
    exit 1
fi
echo "all $total files follow .clang-format"
