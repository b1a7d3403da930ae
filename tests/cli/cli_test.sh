#!/usr/bin/env bash
# Checks cineledger-cli from the outside: exit codes, messages, and that resave converts the older
# main list layout to the exact bytes the program writes.
set -u
# The command may come with a runner in front of it (tools/wine-run.sh for the Windows build).
[ $# -ge 1 ] || { echo "usage: cli_test.sh [RUNNER] PATH-TO-cineledger-cli"; exit 2; }
cli=("$@")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
# Runs the CLI with its output and errors in out/err, line ends normalised (the Windows build writes CR LF).
run() {
    "${cli[@]}" "$@" >"$dir/.out" 2>"$dir/.err"
    local rc=$?
    out=$(tr -d '\r' <"$dir/.out")
    err=$(tr -d '\r' <"$dir/.err")
    return $rc
}
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}

run; check "no arguments exit code" 2 $?
run frobnicate "$dir"; check "unknown command exit code" 2 $?
run list "$dir" everything; check "unknown list exit code" 2 $?
run info "$dir/missing"; check "missing directory exit code" 1 $?
check "missing directory message" "cineledger-cli: no such directory: $dir/missing" "$err"

printf 'Matrix, The|Mike|Action|Absent|2\r\nAlien|Default|Horror|Present|1\r\nend|pw\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend' >"$dir/CineLedger.dat"
printf 'Heat\r\nAlien\r\nend' >"$dir/Gimme.dat"
run list "$dir" main; check "list main" $'Alien\nMatrix, The' "$out"
run list "$dir" gimme; check "list gimme" $'Alien\nHeat' "$out"
run list "$dir" upcoming; check "list upcoming" "Gladiator" "$out"
run info "$dir"
grep -q '^CineLedger.dat: 2 movies, 1 upcoming, 1 free numbers, older layout, password set$' <<<"$out"
check "info on the older layout" 0 $?

run resave "$dir"; check "resave exit code" 0 $?
expected=$(printf 'CineLedger v3.15\r\nAlien|Default|Horror|Present|Unknown|1\r\nMatrix, The|Mike|Action|Absent|Unknown|2\r\nend|pw\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend' | od -An -c)
check "resave converts the main list" "$expected" "$(od -An -c <"$dir/CineLedger.dat")"
check "resave writes the history the older layout lacked" 2 "$(grep -c '^0'$'\r''$' "$dir/History.dat")"
[ -z "$(find "$dir" -name '*.tmp*')" ]; check "no temporary files left" 0 $?

# Files read to their last byte lose nothing when saved, closing line or not.
printf 'Alien\r\n2003/1/5\r\n0\r\n2003/2/1: loaned to Mike.' >"$dir/History.dat"
printf 'Bad Movie' >"$dir/Quarantine.dat"
run resave "$dir"; check "resave of files without their closing lines" 0 $?
check "the history record is written whole" $'Alien\r\n2003/1/5\r\n0\r\n2003/2/1: loaned to Mike.\r\nend\r' "$(cat "$dir/History.dat")"

# Text after the empty title line would be lost by a save: refused, and with --force kept beside it first.
printf 'Alien\r\n2003/1/5\r\n0\r\nend\r\n\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n' >"$dir/History.dat"
before=$(od -An -c <"$dir/History.dat")
run resave "$dir"; check "resave refuses a damaged store" 1 $?
check "refused resave keeps the damaged file" "$before" "$(od -An -c <"$dir/History.dat")"
run info "$dir"; check "info exit code with damage" 1 $?
check "info names the damage as the program does" "  damaged: History.dat, line 5: an empty title line ends the records, but more text follows it; reading stopped there after 1 record." "$(grep '^  damaged: ' <<<"$out")"
run resave --force "$dir"; check "resave --force" 0 $?
check "the damaged file is kept beside it" "$before" "$(od -An -c <"$dir"/History.dat.damaged-*)"

# scan: the fields of a saved page; the poster host comes from the environment.
run scan; check "scan without a page exit code" 2 $?
run scan "$dir/missing.html"; check "scan of a missing page exit code" 1 $?
printf '<title>Heat (1995)</title>\r\nTagline:</b> A Los &#38; Angeles\r\ncrime saga<br><img src="http://localhost:8080/p/h.jpg">' >"$dir/page.html"
CINELEDGER_POSTER_HOST=http://localhost:8080/ run scan "$dir/page.html"
check "scan fields" $'title: Heat\nyear: 1995\ntagline: A Los & Angelescrime saga\ncover: http://localhost:8080/p/h.jpg' "$(grep -E '^(title|year|tagline|cover):' <<<"$out")"
# Exchange files: the records with their fields named, or the import's own words and where the file is damaged.
run exchange; check "exchange without a file" 2 $?
printf 'CineLedger v3.15\r\nAnn*\r\nHeat\r\nDVD\r\nMPEG-4\r\n1\r\n640\r\n272\r\n1 min.\r\n9 kbit/s\r\n25.000 fps\r\nXviD\r\n8 kbit/s\r\n2\r\nMP3\r\n48000 Hz\r\nend' >"$dir/movies.txt"
run exchange "$dir/movies.txt"; check "exchange of a movie list" 0 $?
check "the fields named" $'movie list from: Ann\nmovie 1\n  title: Heat' "$(head -3 <<<"$out")"
check "frame rate after the bit rate" "  frame rate: 25.000 fps" "$(sed -n 11p <<<"$out")"
printf 'CineLedger v3.1\r\nAnn*\r\nend' >"$dir/old.txt"
run exchange "$dir/old.txt"; check "exchange of another version" 1 $?
check "the version message" "Program Version Is Not Compatible With Imported Movie List." "$(head -1 <<<"$err")"
check "either kind named" 'damaged at line 1: the first line is neither "CineLedger v3.15" (a movie list) nor a name ending in "*" (a Gimme list)' "$(sed -n 3p <<<"$err")"
printf 'Ann*\r\nHeat\r\nRope' >"$dir/gimme.txt"
run exchange "$dir/gimme.txt"; check "exchange of a Gimme list without its end" 1 $?
check "the Gimme titles" $'Gimme list from: Ann\n  title: Heat\n  title: Rope' "$out"
check "the Gimme failure and where" $'Invalid Gimme File; Load Failed.\ndamaged at line 3: the file ends before "end"' "$err"
# send and send-bytes refuse an address whose port is no number from 1 to 65535, saying so.
for address in 127.0.0.1: 127.0.0.1:70000 127.0.0.1:x; do
    run send-bytes "$address" "$dir/gimme.txt"; check "send-bytes to $address" 2 $?
    check "the port refused" "cineledger-cli: no port number (1 to 65535) after the \":\" in $address" "$(head -1 <<<"$err")"
done

if [ "$failures" -eq 0 ]; then echo "cli tests passed"; else echo "$failures cli checks failed"; exit 1; fi
