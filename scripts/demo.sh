#!/usr/bin/env bash
# Sets up the machine, builds Tintora and runs the command line on the
# project's own sample picture; results land in out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target tintora
tintora="$root/build/apps/tintora/tintora"
out="$root/out"
mkdir -p "$out"

"$tintora" sample "$out/sample.png" >/dev/null
run() {
    local name=$1
    shift
    printf '%-14s ' "$name"
    "$tintora" apply "$@" "$out/sample.png" "$out/$name.png"
}
run focus focus --size 4
run border border --size 6 --blur 3 --transp 20 --color FF0000
run shadow shadow --x 8 --y 8 --blur 4 --transp 50
run motion motion-blur --x 12
run emboss emboss --pct 5 --dir 135
run gray grayscale
run swirl swirl --pct 50
echo "results in $out"
