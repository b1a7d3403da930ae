#!/bin/bash
# Times cineledger-cli probe against ffprobe -show_streams and mediainfo on a ~60 MB AVI and a
# ~60 MB MPEG-2 file made by ffmpeg, and counts the bytes each reads from the media file.
# Usage: bench/media_probe_bench.sh [NATIVE_BUILD_DIR] [RUNS]   (defaults build/native, 20)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
runs=${2:-20}
cli="$build/tools/cli/cineledger-cli"
[ -x "$cli" ] || { echo "no cineledger-cli at $cli" >&2; exit 1; }
for tool in ffmpeg ffprobe mediainfo strace; do
    command -v $tool >/dev/null || { echo "$tool is missing (apt-get install ffmpeg mediainfo strace)" >&2; exit 1; }
done
work=${BENCH_DIR:-$(mktemp -d)}
mkdir -p "$work"

avi="$work/bench.avi"
mpg="$work/bench.mpg"
if [ ! -s "$avi" ]; then
    ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=640x480:rate=25:duration=60 \
        -f lavfi -i sine=frequency=440:sample_rate=44100:duration=60 -vf setsar=0,noise=alls=40:allf=t \
        -c:v mpeg4 -vtag XVID -b:v 7800k -c:a libmp3lame -b:a 128k -ac 2 "$avi"
fi
if [ ! -s "$mpg" ]; then
    ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=720x576:rate=25:duration=60 \
        -f lavfi -i sine=frequency=440:sample_rate=48000:duration=60 \
        -vf noise=alls=40:allf=t -target pal-dvd -b:v 7800k -maxrate 9000k -c:a mp2 -b:a 192k "$mpg"
fi

# Mean wall time in milliseconds of $runs runs of a command (output discarded).
mean_ms() {
    local start end
    "$@" >/dev/null 2>&1 || true  # warm the page cache and the loader
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1 || true; done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000))
}

# Bytes read from the media file itself: strace every read on a descriptor opened for it.
bytes_read() {
    local file=$1
    shift
    local log
    log=$(mktemp)
    strace -f -qq -e trace=openat,open,read,pread64,readv,preadv,close -e signal=none -s 0 -o "$log" "$@" \
        >/dev/null 2>&1 || true
    awk -v f="\"$file\"" '
        /open(at)?\(/ && index($0, f) { n = split($0, p, "= "); fd[p[n] + 0] = 1; next }
        /close\(/ { if (match($0, /close\([0-9]+/)) delete fd[substr($0, RSTART + 6, RLENGTH - 6) + 0]; next }
        /(read|pread64|readv|preadv)\(/ {
            if (!match($0, /(read|pread64|readv|preadv)\([0-9]+/)) next
            d = substr($0, RSTART, RLENGTH); sub(/.*\(/, "", d)
            if (!((d + 0) in fd)) next
            n = split($0, p, "= "); if (p[n] + 0 > 0) s += p[n]
        }
        END { print s + 0 }' "$log"
    rm -f "$log"
}

printf '%-8s %-12s %10s %12s %8s %9s\n' file tool "size(MB)" "mean(ms)" "read(KB)" "read(%)"
for file in "$avi" "$mpg"; do
    size=$(stat -c %s "$file")
    for tool in cineledger ffprobe mediainfo; do
        case $tool in
            cineledger) cmd=("$cli" probe "$file") ;;
            ffprobe) cmd=(ffprobe -v error -show_streams "$file") ;;
            mediainfo) cmd=(mediainfo "$file") ;;
        esac
        ms=$(mean_ms "${cmd[@]}")
        rd=$(bytes_read "$file" "${cmd[@]}")
        awk -v n="$(basename "$file")" -v t=$tool -v s="$size" -v us="$ms" -v r="$rd" \
            'BEGIN { printf "%-8s %-12s %10.1f %12.2f %8.0f %9.2f\n", n, t, s / 1e6, us / 1000, r / 1024, 100 * r / s }'
    done
done
echo "(mean of $runs warm runs each; files in $work)"
