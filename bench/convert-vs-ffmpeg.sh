#!/usr/bin/env bash
# Times `orvalen-sub convert` of a 10,000-entry SubRip file against `ffmpeg -i in.srt out.srt`,
# the two interleaved run by run so that both see the same machine load.
#   bench/convert-vs-ffmpeg.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-20}
tool="$build/cli/orvalen-sub"
[[ -x "$tool" ]] || { echo "no $tool: build first" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "ffmpeg is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN {
    for (i = 0; i < 10000; i++) {
        t = i * 3; e = t + 2
        printf "%d\n%02d:%02d:%02d,%03d --> %02d:%02d:%02d,%03d\n", i + 1,
            t / 3600, t / 60 % 60, t % 60, i % 1000, e / 3600, e / 60 % 60, e % 60, 500
        printf "Subtitle number %d says something\nand a second line\n\n", i
    }
}' >"$work/in.srt"

now() { date +%s%N; }
ours=()
theirs=()
for ((run = 0; run < runs; run++)); do
    start=$(now)
    "$tool" convert "$work/in.srt" -o "$work/ours.srt"
    ours+=($(($(now) - start)))
    start=$(now)
    ffmpeg -nostdin -v error -y -i "$work/in.srt" "$work/theirs.srt"
    theirs+=($(($(now) - start)))
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ours_median=$(median "${ours[@]}")
theirs_median=$(median "${theirs[@]}")
awk -v o="$ours_median" -v t="$theirs_median" -v n="$runs" -v size="$(wc -c <"$work/in.srt")" \
    'BEGIN {
        printf "input: 10000 entries, %d bytes; %d runs each, interleaved\n", size, n
        printf "orvalen-sub convert  median %8.2f ms\n", o / 1e6
        printf "ffmpeg -i in out     median %8.2f ms\n", t / 1e6
        printf "ffmpeg / orvalen-sub %8.1fx\n", t / o
    }'
