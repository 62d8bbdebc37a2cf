#!/usr/bin/env bash
# Writes the films of the synchronisation tests into DIR: make-films.sh DIR
# speech.mkv speaks the lines of speech-lines.tsv over noise (speech.tsv: start and end of each
# line's speech, in ms); silent.mkv has a picture and no sound.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
mkdir -p "$dir"
"$here/make-speech-film.py" "$here/speech-lines.tsv" "$dir/speech.mkv" --duration 120 \
    >"$dir/speech.part"
ffmpeg -nostdin -v error -y -f lavfi -i "color=c=gray:size=64x48:rate=5:duration=2" \
    -c:v mpeg4 "$dir/silent.mkv"
mv "$dir/speech.part" "$dir/speech.tsv"
