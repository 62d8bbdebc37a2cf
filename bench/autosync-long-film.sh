#!/usr/bin/env bash
# Times orvalen-sub autosync on a 2-hour film with 5.1 AC3 sound (espeak-ng speech over pink
# noise) whose subtitles are 2.5 s late and timed for 25 fps: prints the tool's own lines, the
# wall time and the peak memory (maximum resident set).
#   bench/autosync-long-film.sh [BUILD_DIR] [FILM_DIR]   (default: build, BUILD_DIR/bench-films)
# The film is made once (a few minutes) and kept in FILM_DIR for the next runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
films=${2:-$build/bench-films}
tool=$build/cli/orvalen-sub
[[ -x $tool ]] || { echo "autosync-long-film: $tool is not built" >&2; exit 2; }
mkdir -p "$films"
film=$films/two-hours-5.1.mkv
lines=$films/two-hours.lines
if [[ ! -s $film ]]; then
    # A line every 3.2 to 6.7 s, the same dozen sentences over and over.
    awk 'BEGIN {
        split("Where did you put the keys?|I told you, they are on the table.|Nobody listens to me in this house.|We should leave before it rains.|Have you seen my brother today?|The train leaves at seven.|I do not believe a single word.|Close the door, it is cold.|Tomorrow we go to the sea.|She never called me back.|Look at the sky, it is beautiful.|Give me one more minute please.", said, "|")
        srand(7); for (t = 1500; t < 7196000; t += 3200 + int(rand() * 3500)) printf "%d\t%s\n", t, said[n++ % 12 + 1]
    }' >"$lines"
    "$root/tests/autosync/make-speech-film.py" "$lines" "$films/part.mkv" --channels 6 \
        --duration 7200 >"$films/two-hours.truth"
    mv "$films/part.mkv" "$film"
fi
# The subtitles as timed for a 25 fps copy, 2.5 s late.
awk -F'\t' 'function t(ms) { return sprintf("%02d:%02d:%02d,%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000) }
    { s = int($1 * 23.976 / 25) + 2500; e = int($2 * 23.976 / 25) + 2500
      printf "%d\n%s --> %s\nline %d\n\n", NR, t(s), t(e), NR }' "$films/two-hours.truth" >"$films/late.srt"
/usr/bin/time -f "wall: %e s
peak memory: %M kB" "$tool" autosync "$film" "$films/late.srt" -o "$films/synchronised.srt"
