#!/usr/bin/env bash
# Frames per second of every video filter through ffmpeg at 1080p, at typical
# and maximal settings: the sample picture scaled to 960x720 on a transparent
# 1920x1080 frame, decoded once and looped, so that each frame costs ffmpeg
# little beside the filter. Run from the checkout after a build:
#   bash video/measure-fps.sh [BUILD_DIR] [FRAMES] [RUNS]
# EXTRA_ENV passes settings to ffmpeg's environment, e.g. the C library's
# MALLOC_TRIM_THRESHOLD_ and MALLOC_MMAP_THRESHOLD_ (see docs/PERFORMANCE.md).
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
frames=${2:-100}
runs=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/apps/tintora/tintora" sample "$work/sample.png" >/dev/null
ffmpeg -v error -i "$work/sample.png" \
    -vf "scale=960:720:flags=lanczos,pad=1920:1080:480:180:color=black@0,format=bgra" \
    "$work/frame.png"

# One ffmpeg run: its wall-clock and CPU seconds (user + system).
times() {
    # shellcheck disable=SC2086
    env ${EXTRA_ENV:-} FREI0R_PATH="$build/frei0r" ffmpeg -nostdin -hide_banner -nostats -benchmark \
        -f lavfi -i "movie=$work/frame.png,format=bgra,loop=loop=-1:size=1" \
        -vf "$1" -frames:v "$frames" -f null - 2>&1 |
        sed -n 's/.*utime=\([0-9.]*\)s stime=\([0-9.]*\)s rtime=\([0-9.]*\)s.*/\3 \1 \2/p'
}

# label, frei0r filter (empty: none). The fastest of `runs` runs counts: the
# machine is shared, and other work only ever adds time.
run() {
    local label=$1 chain=null best="" cpu="" rtime utime stime
    [ -n "$2" ] && chain="frei0r=$2"
    for _ in $(seq "$runs"); do
        read -r rtime utime stime < <(times "$chain")
        if [ -z "$best" ] || awk -v a="$rtime" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$rtime
            cpu=$(awk -v u="$utime" -v s="$stime" 'BEGIN { print u + s }')
        fi
    done
    [ -z "$base" ] && base=$best
    # Frames per second of the whole run; the filter's own wall-clock time a
    # frame beyond ffmpeg's; CPU time a frame (both workers and ffmpeg).
    awk -v l="$label" -v n="$frames" -v t="$best" -v b="$base" -v c="$cpu" \
        'BEGIN { printf "| %s | %.1f | %.1f | %.1f |\n", l, n / t, 1000 * (t - b) / n, 1000 * c / n }'
}
base=

echo "load: $(uptime | sed 's/.*load average: //')"
echo "| filter, settings | frames/s | filter ms/frame | CPU ms/frame |"
echo "|---|---:|---:|---:|"
run "no filter (ffmpeg alone)" ""
run "border size 10 blur 10 transp 30" "tintora-border:0.1|0.1|0.3|black"
run "border size 100 blur 100 transp 30" "tintora-border:1|1|0.3|black"
run "shadow x 10 y 10 blur 10 transp 30" "tintora-shadow:0.55|0.55|0.1|0.3|black"
run "shadow x 100 y 100 blur 100 transp 30" "tintora-shadow:1|1|1|0.3|black"
run "motion-blur x 10 y 10" "tintora-motion-blur:0.1|0.1"
run "motion-blur x 100 y 100" "tintora-motion-blur:1|1"
run "focus size 10" "tintora-focus:0.1"
run "focus size 50" "tintora-focus:0.5"
run "emboss pct 10 dir 45" "tintora-emboss:0.1|0.125"
run "emboss pct 20 dir 45" "tintora-emboss:0.2|0.125"
run "bevel pct 10 dir 45" "tintora-bevel:0.1|0.125"
run "bevel pct 20 dir 45" "tintora-bevel:0.2|0.125"
run "grayscale" "tintora-grayscale"
echo "load: $(uptime | sed 's/.*load average: //')"
