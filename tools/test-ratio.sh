#!/usr/bin/env bash
# The share of test code in the project's C++ lines, which is to stay at or below 35%.
#
# Lines are counted as `wc -l` counts them (blank lines and comments included) over the .cpp and .h files that git
# tracks. Test code is everything under tests/ and fuzz/ and every *_test.cpp / *_test.h anywhere else.
# Prints the two counts and the percentage; exits 1 when the share is above the limit, unless --report is given.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

LIMIT_PERCENT=35
report_only=0
case "${1:-}" in
    --report) report_only=1 ;;
    "") ;;
    *) echo "usage: tools/test-ratio.sh [--report]" >&2; exit 2 ;;
esac

lines() { xargs -0 -r cat -- | wc -l; }
all=$(git ls-files -z -- '*.cpp' '*.h' | lines)
tests=$(git ls-files -z -- '*.cpp' '*.h' | grep -zE '^(tests|fuzz)/|_test\.(cpp|h)$' | lines)

awk -v t="$tests" -v a="$all" 'BEGIN { printf "test code: %d of %d C++ lines (%.1f%%)\n", t, a, a ? 100 * t / a : 0 }'
if ((report_only == 0 && tests * 100 > all * LIMIT_PERCENT)); then
    echo "test code is above ${LIMIT_PERCENT}% of the C++ lines" >&2
    exit 1
fi
