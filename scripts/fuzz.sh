#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs each for
# a bounded time from the seeds in fuzz/corpus/. Any crash fails; its input is left in
# build-fuzz/artifacts/ to be added as a regression test.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-10}
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROTAPLAN_FUZZ=ON \
    -DROTAPLAN_BENCH=OFF >/dev/null
targets=(SupportFiles Counter PurgeMark DayFile SlipFiles Journal)
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    work=$(mktemp -d)
    build-fuzz/fuzz/fuzz_$target "$work" "fuzz/corpus/$target" -max_total_time="$seconds" \
        -max_len=4096 -artifact_prefix=build-fuzz/artifacts/"$target"- -print_final_stats=1 \
        >"$work.log" 2>&1 && status=0 || status=$?
    grep -E "stat::number_of_executed_units|ERROR|SUMMARY" "$work.log" | sed "s/^/$target: /"
    rm -rf "$work" "$work.log"
    [ "$status" -eq 0 ] || { echo "$target: the fuzzer found a fault"; exit 1; }
done
