#!/usr/bin/env bash
# Checks cineledger-cli from the outside: exit codes, messages, and that resave converts the older
# main list layout to the exact bytes the program writes.
set -u
cli=${1:?usage: cli_test.sh PATH-TO-cineledger-cli}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}

"$cli" >/dev/null 2>&1; check "no arguments exit code" 2 $?
"$cli" frobnicate "$dir" >/dev/null 2>&1; check "unknown command exit code" 2 $?
"$cli" list "$dir" everything >/dev/null 2>&1; check "unknown list exit code" 2 $?
msg=$("$cli" info "$dir/missing" 2>&1); check "missing directory exit code" 1 $?
check "missing directory message" "cineledger-cli: no such directory: $dir/missing" "$msg"

printf 'Matrix, The|Mike|Action|Absent|2\r\nAlien|Default|Horror|Present|1\r\nend|pw\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend' >"$dir/CineLedger.dat"
printf 'Heat\r\nAlien\r\nend' >"$dir/Gimme.dat"
check "list main" $'Alien\nMatrix, The' "$("$cli" list "$dir" main)"
check "list gimme" $'Alien\nHeat' "$("$cli" list "$dir" gimme)"
check "list upcoming" "Gladiator" "$("$cli" list "$dir" upcoming)"
"$cli" info "$dir" | grep -q '^CineLedger.dat: 2 movies, 1 upcoming, 1 free numbers, older layout, password set$'
check "info on the older layout" 0 $?

"$cli" resave "$dir" >/dev/null; check "resave exit code" 0 $?
expected=$(printf 'CineLedger v3.15\r\nAlien|Default|Horror|Present|Unknown|1\r\nMatrix, The|Mike|Action|Absent|Unknown|2\r\nend|pw\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend' | od -An -c)
check "resave converts the main list" "$expected" "$(od -An -c <"$dir/CineLedger.dat")"
check "resave writes the history the older layout lacked" 2 "$(grep -c '^0'$'\r''$' "$dir/History.dat")"
[ -z "$(find "$dir" -name '*.tmp')" ]; check "no temporary files left" 0 $?

printf 'Alien\r\n2003/1/5\r\n0\r\n2003/2/1: loaned to Mike.' >"$dir/History.dat"
before=$(od -An -c <"$dir/History.dat")
"$cli" resave "$dir" >/dev/null 2>&1; check "resave refuses a damaged store" 1 $?
check "refused resave keeps the damaged file" "$before" "$(od -An -c <"$dir/History.dat")"
"$cli" info "$dir" | grep -q 'History.dat: .*' ; check "info names the damaged store" 0 $?
"$cli" info "$dir" >/dev/null; check "info exit code with damage" 1 $?

if [ "$failures" -eq 0 ]; then echo "cli tests passed"; else echo "$failures cli checks failed"; exit 1; fi
