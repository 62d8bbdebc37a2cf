#!/usr/bin/env bash
# Writes the small films of the media tests into DIR: make-films.sh DIR
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"

encode() { ffmpeg -nostdin -v error -y "$@"; }
pattern() { echo "testsrc=size=$1:rate=$2:duration=$3"; }
tone() { echo "sine=frequency=440:sample_rate=22050:duration=$1"; }

# 25 fps with sound, 10 s.
encode -f lavfi -i "$(pattern 320x240 25 10)" -f lavfi -i "$(tone 10)" \
    -c:v mpeg4 -q:v 8 -c:a mp2 -b:a 64k -shortest avi25-sound.avi
# 24000/1001 fps without sound, wide picture, 5 s.
encode -f lavfi -i "$(pattern 640x272 24000/1001 5)" -c:v mpeg4 -q:v 10 avi23976.avi
# 130 s, tiny and slow so that it encodes at once.
encode -f lavfi -i "$(pattern 32x24 5 130)" -c:v mpeg4 -q:v 20 -g 10 long.avi
# MPEG-1 system stream with sound, MPEG-2 program stream without.
encode -f lavfi -i "$(pattern 320x240 25 4)" -f lavfi -i "$(tone 4)" \
    -c:v mpeg1video -q:v 8 -c:a mp2 -b:a 64k -shortest -f mpeg mpeg1.mpg
encode -f lavfi -i "$(pattern 640x272 25 3)" -c:v mpeg2video -q:v 8 -f vob mpeg2.mpg
# An AVI under the DivX extension.
encode -f lavfi -i "$(pattern 320x240 25 3)" -c:v mpeg4 -q:v 8 -f avi film.divx
# Today's containers: Matroska at 24000/1001 fps with sound, MP4 at 30 fps.
encode -f lavfi -i "$(pattern 320x240 24000/1001 3)" -f lavfi -i "$(tone 3)" \
    -c:v mpeg4 -q:v 8 -c:a mp2 -b:a 64k -shortest film.mkv
encode -f lavfi -i "$(pattern 320x240 30 3)" -c:v mpeg4 -q:v 8 film.mp4
# Solid red, to tell the colour channels apart.
encode -f lavfi -i "color=c=red:size=320x240:rate=25:duration=2" -c:v mpeg4 -q:v 2 red.avi
# Sound without a picture.
encode -f lavfi -i "$(tone 3)" -c:a mp2 -b:a 64k sound-only.avi
# Not films: text, a playlist, noise, a film cut short after its header; and a film that loses its
# second half.
: >empty.avi
printf 'This is not a film.\nJust two lines of text.\n' >text.avi
printf '#EXTM3U\nfilm.divx\n' >playlist.avi
head -c 65536 /dev/zero | tr '\0' '\125' >noise.avi
head -c 6000 avi25-sound.avi >truncated.avi
head -c 200000 avi25-sound.avi >cut-short.avi
# Blanks and non-ASCII in the directory and file names.
mkdir -p "dir with blanks é"
cp film.divx "dir with blanks é/fïlm ñame (1).avi"

touch complete
