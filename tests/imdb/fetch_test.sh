#!/usr/bin/env bash
# The command-line companion's fetch through the real WinInet under Wine, against the fixture site (site.py): a
# page as text, a refused address, an empty answer, binary bytes, a zero byte in a text. Searches, summaries and
# covers through the same fetch are tests/e2e/DatabaseFetch_test.cpp. Run by ctest of the Windows build:
#   fetch_test.sh RUNNER PATH-TO-cineledger-cli.exe
set -u
[ $# -eq 2 ] || { echo "usage: fetch_test.sh RUNNER PATH-TO-cineledger-cli.exe"; exit 2; }
cli=("$1" "$2")
here=$(dirname "$(readlink -f "$0")")
dir=$(mktemp -d)
site_pid=
trap '[ -n "$site_pid" ] && kill "$site_pid" 2>/dev/null; rm -rf "$dir"' EXIT
failures=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
fetch() {  # fetch [--binary] ADDRESS FILE: exit code in $?, error line in $err
    "${cli[@]}" fetch "$@" >/dev/null 2>"$dir/.err"
    local rc=$?
    err=$(tr -d '\r' <"$dir/.err")
    return $rc
}
same() { cmp -s "$1" "$2" && echo same || echo differ; }

# The site ends by itself after a minute without requests, should this script be killed.
python3 "$here/site.py" --port-file "$dir/port" --idle 60 --max 600 >/dev/null 2>&1 &
site_pid=$!
for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.1; done
[ -s "$dir/port" ] || { echo "FAIL: the fixture site did not start"; exit 1; }
port=$(tr -d '\n' <"$dir/port")
site=http://127.0.0.1:$port

# Pages are text: their LF line ends are written as CR LF.
fetch "$site/M/Tsearch?Heat" "$dir/FirstPage.txt"; check "title search exit code" 0 $?
sed "s|@IMAGE_HOST@|$site|; s|\$|\r|" "$here/pages/heat.html" >"$dir/expected"
check "title page as text" same "$(same "$dir/expected" "$dir/FirstPage.txt")"

# A refused address reports the connect error and leaves the earlier file as it was.
closed=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
fetch "http://127.0.0.1:$closed/M/Tsearch?Heat" "$dir/FirstPage.txt"; check "refused exit code" 1 $?
check "refused message" "Unable To Process Internet Request; Connect Error: 12029" "$err"
check "refused leaves the old file" same "$(same "$dir/expected" "$dir/FirstPage.txt")"

fetch "$site/empty" "$dir/FirstPage.txt"; check "empty answer exit code" 0 $?
check "empty answer gives an empty file" 0 "$(stat -c %s "$dir/FirstPage.txt")"

python3 -c 'import sys; sys.stdout.buffer.write(bytes(i % 256 for i in range(3000)))' >"$dir/expected"
fetch --binary "$site/bytes" "$dir/bytes"; check "binary exit code" 0 $?
check "binary keeps every byte" same "$(same "$dir/expected" "$dir/bytes")"
# The zero byte at 100 ends the first 1024-byte chunk's text; the next chunks are whole.
fetch "$site/zero" "$dir/zero"; check "text exit code" 0 $?
check "a zero byte ends its chunk" "$(printf 'A%.0s' {1..100})$(printf 'B%.0s' {1..577})$(printf 'C%.0s' {1..900})" \
    "$(cat "$dir/zero")"

if [ "$failures" -eq 0 ]; then echo "fetch tests passed"; else echo "$failures fetch checks failed"; exit 1; fi
