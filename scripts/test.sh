#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: a normal build
# and one with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc)
bash "$root/scripts/check-format.sh"

run_suite() {
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

echo "== normal build"
run_suite "$root/build"
echo "== sanitizer build (ASan + UBSan)"
run_suite "$root/build-asan" -DTINTORA_SANITIZE=ON -DTINTORA_BUILD_BENCH=OFF
