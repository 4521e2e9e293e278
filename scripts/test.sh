#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: a normal build
# and one with AddressSanitizer and UndefinedBehaviorSanitizer; then runs each
# fuzz target for a short time (FUZZ_SECONDS, 10 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc)
bash "$root/scripts/check-format.sh"

# run_suite DIR "CTEST ARGS" CMAKE ARGS...
run_suite() {
    local dir=$1
    local tests=$2
    shift 2
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$jobs"
    # shellcheck disable=SC2086
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure $tests
}

echo "== normal build (with the long full-HD checks)"
run_suite "$root/build" ""
echo "== sanitizer build (ASan + UBSan; the long checks are left to the normal build)"
run_suite "$root/build-asan" "-LE long" -DTINTORA_SANITIZE=ON -DTINTORA_BUILD_BENCH=OFF
echo "== fuzz targets"
bash "$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-10}"
