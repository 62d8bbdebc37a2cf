#!/usr/bin/env bash
# Checks that `orvalen-sub convert` of each .ass and .vtt sample gives the same cues as
# `ffmpeg -i SAMPLE out.srt`: the same times and, markup aside, the same texts. ffmpeg 5 reads
# no cue at all from a WebVTT file with a STYLE block, or with a block of text that is no cue
# (as after a blank line in a NOTE), so it is given the file without its blocks that hold no
# cue timing; which blocks are skipped is checked by the reader's unit tests.
#   tests/subtitles/compare-with-ffmpeg.sh ORVALEN_SUB SAMPLE_DIR
set -euo pipefail
tool=$1
samples=$2
command -v ffmpeg >/dev/null || { echo "ffmpeg is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A WebVTT file without the blocks that hold no "-->" in their first two lines, but the header.
cues_only() {
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
        NR == 1 { print; next }
        { split($0, lines, "\n"); if (lines[1] ~ /-->/ || lines[2] ~ /-->/) print }' \
        <(sed 's/\r$//' "$1")
}

# One line per cue: "start --> end|line|line" with times in milliseconds, tags, override blocks and line-break escapes
# removed, character references decoded, blanks trimmed.
canonical() {
    awk '
        function flush() {
            if (times == "") return
            text = body
            gsub(/\\[Nn]/, "\n", text)
            gsub(/\{[^}]*\}/, "", text)
            gsub(/<\/?[A-Za-z][^>]*>/, "", text)
            gsub(/<[0-9:.]+>/, "", text)
            gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text); gsub(/&nbsp;/, " ", text)
            gsub(/&amp;/, "\\&", text)
            n = split(text, lines, "\n")
            out = times
            for (i = 1; i <= n; i++) {
                line = lines[i]
                gsub(/^[ \t]+|[ \t]+$/, "", line)
                if (line != "") out = out "|" line
            }
            print out
            times = ""; body = ""
        }
        function ms(clock,    parts, n) {
            n = split(clock, parts, /[:,.]/)
            return ((parts[n - 3] * 60 + parts[n - 2]) * 60 + parts[n - 1]) * 1000 + parts[n]
        }
        { sub(/\r$/, "") }
        /-->/ && times == "" {
            split($0, ends, / *--> */)
            times = ms(ends[1]) " --> " ms(ends[2])
            next
        }
        $0 == "" { flush(); next }
        times != "" { body = body (body == "" ? "" : "\n") $0; next }
        END { flush() }
    ' "$1"
}

failed=0
checked=0
for sample in "$samples"/*.ass "$samples"/*.vtt; do
    name=$(basename "$sample")
    "$tool" convert "$sample" -o "$work/ours.srt"
    input=$sample
    if [[ $sample == *.vtt ]]; then
        input="$work/input.vtt"
        cues_only "$sample" >"$input"
    fi
    ffmpeg -nostdin -v error -y -i "$input" "$work/theirs.srt"
    # ffmpeg sorts cues by time; the track keeps the file's order.
    canonical "$work/ours.srt" | sort -n >"$work/ours.txt"
    canonical "$work/theirs.srt" | sort -n >"$work/theirs.txt"
    if [[ ! -s "$work/ours.txt" ]]; then
        echo "FAIL $name: no cue read"
        failed=$((failed + 1))
    elif diff -u "$work/theirs.txt" "$work/ours.txt" >"$work/diff"; then
        echo "ok   $name: $(wc -l <"$work/ours.txt") cues"
    else
        echo "FAIL $name (- ffmpeg, + orvalen-sub):"
        cat "$work/diff"
        failed=$((failed + 1))
    fi
    checked=$((checked + 1))
done
echo "$((checked - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
