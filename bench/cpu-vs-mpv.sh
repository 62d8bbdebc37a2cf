#!/usr/bin/env bash
# Plays the demo film for 10 seconds under Xvfb in Orvalen and in mpv --vo=x11, in turns, and
# prints the median CPU time (user + system) each process used over the rounds.
#   bench/cpu-vs-mpv.sh [BUILD_DIR]        (default: build)
# ORVALEN_BENCH_SECONDS (10) and ORVALEN_BENCH_ROUNDS (3) change the length and the rounds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${ORVALEN_BENCH_SECONDS:-10}
rounds=${ORVALEN_BENCH_ROUNDS:-3}
player=$build/app/orvalen
[[ -x $player ]] || { echo "cpu-vs-mpv: $player is not built" >&2; exit 2; }
command -v mpv >/dev/null || { echo "cpu-vs-mpv: mpv is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/scripts/make-demo" "$work"
cat >"$work/Config.ini" <<'INI'
[General]
StateBarre=1
ToolBarre=1
CurrentDir=1
[SubtitleFormat]
srt=1
[Font]
Color=16777215
Size=12
INI

# Runs a command for $seconds on its own virtual display; prints its CPU seconds.
cpu_seconds() {
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        seconds=$1; shift
        "$@" >/dev/null 2>&1 &
        pid=$!
        sleep "$seconds"
        read -r -a stat </proc/$pid/stat
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        ticks=$((stat[13] + stat[14]))
        awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" "BEGIN { printf \"%.2f\n\", t / hz }"
    ' cpu_seconds "$seconds" "$@"
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

orvalen_runs=()
mpv_runs=()
for ((round = 1; round <= rounds; ++round)); do
    orvalen_runs+=("$(ORVALEN_CONFIG="$work/Config.ini" cpu_seconds "$player" "$work/demo.avi")")
    mpv_runs+=("$(cpu_seconds mpv --vo=x11 --no-config --sub-auto=no --really-quiet "$work/demo.avi")")
done
orvalen=$(median "${orvalen_runs[@]}")
mpv=$(median "${mpv_runs[@]}")
ratio=$(awk -v a="$orvalen" -v b="$mpv" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
echo "demo film, ${seconds} s under Xvfb, median of $rounds rounds, CPU seconds (user + system):"
echo "  orvalen        $orvalen   (${orvalen_runs[*]})"
echo "  mpv --vo=x11   $mpv   (${mpv_runs[*]})"
echo "  ratio          $ratio (target: at most 1.10)"
