#!/bin/sh
# Makes the media test files with ffmpeg into the folder given as $1, and beside each AVI the sum of
# its video packet sizes and their number as ffprobe counts them, for checking the index sums.
set -eu
out=$1
mkdir -p "$out"
ff() { ffmpeg -nostdin -v error -y "$@"; }
src() { echo "testsrc=size=$1:rate=$2:duration=$3"; }
tone() { echo "sine=frequency=440:sample_rate=$1:duration=$2"; }

# setsar=0 keeps ffmpeg from writing a vprp chunk (see docs/MEDIA.md).
ff -f lavfi -i "$(src 320x240 25 4)" -f lavfi -i "$(tone 44100 4)" -vf setsar=0 \
   -c:v mpeg4 -vtag XVID -b:v 800k -c:a libmp3lame -b:a 128k -ac 2 "$out/xvid_mp3.avi"
ff -f lavfi -i "$(src 320x240 30000/1001 4)" -f lavfi -i "$(tone 48000 4)" -vf setsar=0 \
   -c:v mpeg4 -vtag DX50 -c:a ac3 -ac 6 -b:a 384k "$out/dx50_ac3.avi"
ff -f lavfi -i "$(src 176x144 25 3)" -f lavfi -i "$(tone 22050 3)" -vf setsar=0 \
   -c:v mpeg4 -vtag divx -c:a pcm_s16le -ac 1 "$out/divx_pcm.avi"
ff -f lavfi -i "$(src 320x240 25 5)" -vf setsar=0 -c:v mpeg4 -vtag XVID -an "$out/video_only.avi"
ff -f lavfi -i "$(src 160x120 25 40)" -f lavfi -i "$(tone 44100 40)" -vf setsar=0 \
   -c:v mpeg4 -vtag XVID -c:a libmp3lame -b:a 96k "$out/cd1.avi"
ff -f lavfi -i "$(src 160x120 25 35)" -f lavfi -i "$(tone 44100 35)" -vf setsar=0 \
   -c:v mpeg4 -vtag XVID -c:a libmp3lame -b:a 96k "$out/cd2.avi"
for f in "$out"/*.avi; do
    ffprobe -v error -select_streams v:0 -show_entries packet=size -of csv=p=0 "$f" |
        awk '{s += $1; n += 1} END {print s; print n}' > "$f.video"
done

ff -f lavfi -i "$(src 352x240 30000/1001 10)" -f lavfi -i "$(tone 44100 10)" -target ntsc-vcd "$out/vcd.mpg"
ff -f lavfi -i "$(src 352x240 30000/1001 6)" -f lavfi -i "$(tone 44100 6)" -target ntsc-vcd "$out/vcd_cd2.mpg"
ff -f lavfi -i "$(src 480x576 25 8)" -f lavfi -i "$(tone 44100 8)" -target pal-svcd "$out/svcd.mpg"
ff -f lavfi -i "$(src 720x576 25 6)" -f lavfi -i "$(tone 48000 6)" -target pal-dvd "$out/dvd_ac3.mpg"
ff -f lavfi -i "$(src 720x576 25 6)" -f lavfi -i "$(tone 48000 6)" -target pal-dvd -c:a mp2 -b:a 192k \
   "$out/dvd_mp2.mpg"
ff -f lavfi -i "$(src 64x64 25 0.08)" -c:v mpeg1video -f mpeg "$out/short.mpg"
