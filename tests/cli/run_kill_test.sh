#!/usr/bin/env bash
# Kills `cineledger-cli resave` (SIGKILL) at random moments while it loads and saves a 100,000-movie collection and
# checks after each kill that every store file holds either its old bytes or its new bytes, never a mixture, and is
# never missing; that what a kill leaves behind is only temporary files, which no reader opens and the next save
# removes. Prints the figures kept in docs/RELIABILITY.md. Environment: KILLS (default 40), CL_BUILD_NATIVE.
set -u
cli=${CL_BUILD_NATIVE:-build/native}/tools/cli/cineledger-cli
kills=${KILLS:-40}
[ -x "$cli" ] || { echo "no $cli: build the native tier first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stores=(CineLedger.dat Quarantine.dat Gimme.dat IMDb.dat Comments.dat History.dat Media.dat)

# The old collection is written with LF line ends, so every store the save writes (CR LF) differs from it.
mkdir -p "$work/old" "$work/new" "$work/run" "$work/left"
(cd "$work/old" && awk 'BEGIN {
    n = 100000; m = "CineLedger.dat"; printf "CineLedger v3.15\n" > m
    for (i = 1; i <= n; i++) printf "Movie %06d|Shelf %d|Drama|Present|DVD|%d\n", i, i % 50, i > m
    printf "end|nolockx\n" > m
    for (i = 1; i <= 2000; i++) printf "Planned %05d|@|Store %d\n", i, i % 20 > m
    printf "end|\n" > m
    for (i = 1; i <= 100; i++) printf "%d\n", n + i > m
    printf "end" > m
    for (i = 1; i <= 2000; i++) { printf "Unwanted %05d\n", i > "Quarantine.dat"; printf "Wanted %05d\n", i > "Gimme.dat" }
    printf "end" > "Quarantine.dat"; printf "end" > "Gimme.dat"
    for (i = 1; i <= n; i++) {
        printf "Movie %06d\nA comment on movie %d.\n", i, i > "Comments.dat"
        printf "Movie %06d\n2003/1/%d\n%d\n2003/2/1: loaned to Mike.\nend\n", i, i % 28 + 1, i % 7 > "History.dat"
        printf "Movie %06d\nMPEG-4\n1\n640\n480\n100 min.\n25.000 fps\n900 kbit/s\nDivX 5\n128 kbit/s\nMP3\n2\n44100 Hz\n", i > "Media.dat"
    }
    for (i = 1; i <= 20000; i++)
        printf "CineLedger: Movie %06d\n%d\nMovie %d\n1999\nA Director\nA tagline.\nA plot.\nDrama\nActor One, Actor Two\nEnglish\n100 min\n", i, i, i > "IMDb.dat"
}')
now() { date +%s%N; }
# Microseconds of a load alone (info) and of a whole load and save (resave), the shortest of three runs each.
load=999999999
full=999999999
for run in 1 2 3; do
    cp "$work"/old/* "$work/new/"
    t0=$(now)
    "$cli" info "$work/new" >/dev/null || { echo "FAIL: the collection does not read cleanly"; exit 1; }
    t1=$(now)
    "$cli" resave "$work/new" >/dev/null || { echo "FAIL: the reference resave failed"; exit 1; }
    t2=$(now)
    load=$(((t1 - t0) / 1000 < load ? (t1 - t0) / 1000 : load))
    full=$(((t2 - t1) / 1000 < full ? (t2 - t1) / 1000 : full))
done

failures=0
finished=0
temporaries=0
declare -A seen # how many of the seven stores were new after a kill -> how often
for ((k = 1; k <= kills; k++)); do
    cp "$work"/old/* "$work/run/"
    # Every other kill anywhere from the start of the load to a little past the end of the save; the others once
    # the first file is being written, anywhere in the writing of the files.
    random=$((RANDOM * 32768 + RANDOM))
    touch "$work/started"
    "$cli" resave "$work/run" >/dev/null 2>&1 &
    pid=$!
    if ((k % 2)); then
        delay=$((random % (full * 11 / 10 + 1)))
    else
        until [[ -e "$work/run/CineLedger.dat.0.tmp" || "$work/run/CineLedger.dat" -nt "$work/started" ]]; do
            kill -0 "$pid" 2>/dev/null || break
        done
        delay=$((random % ((full - load) * 12 / 10 + 1)))
    fi
    sleep "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null && finished=$((finished + 1))
    new=0
    for f in "${stores[@]}"; do
        if cmp -s "$work/run/$f" "$work/new/$f"; then
            new=$((new + 1))
        elif ! cmp -s "$work/run/$f" "$work/old/$f"; then
            echo "FAIL: kill $k after ${delay} us: $f is neither the old nor the new file"
            failures=$((failures + 1))
        fi
    done
    seen[$new]=$((${seen[$new]:-0} + 1))
    for extra in "$work"/run/*; do
        name=$(basename "$extra")
        case " ${stores[*]} " in *" $name "*) continue ;; esac
        if [[ "$name" == *.tmp ]]; then
            temporaries=$((temporaries + 1))
            mv "$extra" "$work/left/" # back for the check of the next start and save below
        else
            echo "FAIL: kill $k left $name"
            failures=$((failures + 1))
        fi
    done
done

# What the kills left must not trouble the next start, and the next save removes it.
mv "$work"/left/* "$work/run/" 2>/dev/null
"$cli" info "$work/run" >/dev/null || { echo "FAIL: the store files do not read cleanly after the kills"; failures=$((failures + 1)); }
"$cli" resave "$work/run" >/dev/null || { echo "FAIL: the save after the kills failed"; failures=$((failures + 1)); }
left=$(find "$work/run" -name '*.tmp' | wc -l)
[ "$left" -eq 0 ] || { echo "FAIL: $left temporary files outlived the next save"; failures=$((failures + 1)); }
for f in "${stores[@]}"; do
    cmp -s "$work/run/$f" "$work/new/$f" || { echo "FAIL: $f after the last save"; failures=$((failures + 1)); }
done

echo "load: $((load / 1000)) ms, load and save: $((full / 1000)) ms; kills: $kills ($finished after the save had finished)"
for n in 0 1 2 3 4 5 6 7; do [ -n "${seen[$n]:-}" ] && echo "  $n of 7 stores new: ${seen[$n]} kills"; done
echo "temporary files left by the kills: $temporaries (removed by the next save: $([ "$left" -eq 0 ] && echo yes || echo no))"
if [ "$failures" -eq 0 ]; then echo "kill test passed"; else echo "$failures kill checks failed"; exit 1; fi
