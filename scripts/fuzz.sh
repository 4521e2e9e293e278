#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz) and runs each for a bounded time,
# starting from its seed inputs in fuzz/corpus. Inputs the fuzzer finds go to
# a temporary folder, never into the tree; a crash, leak, sanitizer report or
# time-out stops the run, keeps the input under build-fuzz/findings and fails.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]    (default: 60 seconds, every target)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_registry_store fuzz_presets_file fuzz_picture_file fuzz_selection_file
             fuzz_apply_effect)
fi
build="$root/build-fuzz"
jobs=${FUZZ_JOBS:-$(nproc)}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTINTORA_FUZZ=ON -DTINTORA_BUILD_TESTS=OFF \
    -DTINTORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

mkdir -p "$build/findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    mkdir -p "$work/$name"
    echo "== $target: ${seconds} s"
    # The image library's pixel memory is its own; the process as a whole stays
    # well below the limit a runaway allocation would cross.
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
        "$work/$name" "$root/fuzz/corpus/$name" >"$work/$name.log" 2>&1; then
        tail -n 60 "$work/$name.log"
        echo "fuzz: $target found a failure; the input is in $build/findings" >&2
        exit 1
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work/$name.log" | tr '\n' ' '
    echo
done
echo "fuzz: ${#targets[@]} targets ran ${seconds} s each without a finding"
