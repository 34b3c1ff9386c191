#!/usr/bin/env bash
# Opens the completed summary on a started program over 1,000 records and over larger files of
# generated slips, in turn in one process, and prints each ratio against its goal.
# Usage: bench/run-completed-benchmark.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
export CCACHE_NOHASHDIR=1
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target completed_open rotaplan_generate >/dev/null
# Slips generated for today stay booked; the completed ones come from other folders.
source=bench-data/startup-n1000-$(date +%F)
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" 1000 --today "$(date +%F)"
for n in 1000 100000 1000000; do
    [ -f "bench-data/n$n/Slips.txt" ] || build-bench/bench/rotaplan_generate "bench-data/n$n" "$n"
done
work=$(mktemp -d -p bench-data)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
ln bench-data/n1000/Slips.txt "$work/small.txt"
export QT_QPA_PLATFORM=offscreen ROTAPLAN_BENCH_RUNS=$runs
for n in 100000 1000000; do
    rm -f "$work/large.txt"
    ln "bench-data/n$n/Slips.txt" "$work/large.txt"
    build-bench/bench/completed_open "$work" 2>/dev/null
done
