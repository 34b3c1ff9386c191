#!/usr/bin/env bash
# Opens the completed summary on a started program over the completed slips of realistic
# folders, 1,000 records in turn with 100,000 and then with 1,000,000 in one process, and prints
# the ratios with their goals. Usage: bench/run-completed-benchmark.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
export CCACHE_NOHASHDIR=1
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target completed_open rotaplan_generate >/dev/null
today=$(date +%F)
# 1,500 calls stay booked ahead; the rest, 1,000, 100,000 and 1,000,000, are completed.
for n in 2500 101500 1001500; do
    folder=bench-data/completed-n$n-$today
    [ -f "$folder/CompletedSlips.txt" ] ||
        build-bench/bench/rotaplan_generate "$folder" "$n" --realistic --completed --today "$today"
done
work=$(mktemp -d -p bench-data)
trap 'rm -rf "$work"' EXIT
cp -r "bench-data/completed-n2500-$today/." "$work"
ln "bench-data/completed-n2500-$today/CompletedSlips.txt" "$work/small.txt"
export QT_QPA_PLATFORM=offscreen ROTAPLAN_BENCH_RUNS=$runs
for n in 101500 1001500; do
    rm -f "$work/large.txt"
    ln "bench-data/completed-n$n-$today/CompletedSlips.txt" "$work/large.txt"
    build-bench/bench/completed_open "$work" 2>/dev/null
done
