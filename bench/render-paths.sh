#!/usr/bin/env bash
# Plays 10 seconds of a 1080p and of a 4K H.264 film in Orvalen with each render path forced,
# and prints the OpenGL renderer, then per film and path the CPU seconds (user + system) the
# player used and the frames libmpv dropped. Runs on the current display, or on a virtual one
# of its own when there is none (where Mesa's llvmpipe draws OpenGL on the processor).
#   bench/render-paths.sh [BUILD_DIR]        (default: build)
# ORVALEN_BENCH_SECONDS (10) changes the length.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${ORVALEN_BENCH_SECONDS:-10}
player=$build/app/orvalen
[[ -x $player ]] || { echo "render-paths: $player is not built" >&2; exit 2; }
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 3840x2160x24 -noreset" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each film has a subtitle file beside it, so that no file dialog waits for an answer.
printf '[General]\nStateBarre=1\nToolBarre=1\nCurrentDir=1\n[SubtitleFormat]\nsrt=1\n' \
    >"$work/Config.ini"
export ORVALEN_CONFIG="$work/Config.ini"
for size in 1920x1080 3840x2160; do
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=s=$size:r=25:d=$((seconds + 5))" \
        -c:v libx264 -preset veryfast -pix_fmt yuv420p "$work/$size.mkv"
    printf '1\r\n00:00:01,000 --> 00:00:09,000\r\nA subtitle\r\n\r\n' >"$work/$size.srt"
done

"$player" --version --verbose | sed -n '2p'
printf '%-10s %-9s %12s %15s\n' film path "CPU seconds" "frames dropped"
for size in 1920x1080 3840x2160; do
    for path in gpu software; do
        "$player" --render="$path" --verbose "$work/$size.mkv" >/dev/null 2>"$work/err" &
        pid=$!
        sleep "$seconds"
        read -r -a stat </proc/$pid/stat
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        cpu=$(awk -v t="$((stat[13] + stat[14]))" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", t / hz }')
        dropped=$(sed -n 's/.*frames dropped: //p' "$work/err" | tail -1)
        printf '%-10s %-9s %12s %15s\n' "$size" "$path" "$cpu" "${dropped:-?}"
    done
done
