#!/usr/bin/env bash
# The exports' benchmarks: the report of the completed slips of realistic folders of 1,000,
# 100,000 and 1,000,000 calls as CSV and as a workbook, in turn with a flushed copy of the CSV
# it wrote, with the ratios, their goals and the peak memory; then a week's day sheets as PDF
# against the schedule view of the same days. Usage: bench/run-export-benchmarks.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
export CCACHE_NOHASHDIR=1
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target rotaplan_generate export_bench sheet_vs_view >/dev/null
today=$(date +%F)
# 1,500 calls stay booked ahead; the rest, 1,000, 100,000 and 1,000,000, are completed.
for n in 2500 101500 1001500; do
    folder=bench-data/completed-n$n-$today
    [ -f "$folder/CompletedSlips.txt" ] ||
        build-bench/bench/rotaplan_generate "$folder" "$n" --realistic --completed --today "$today"
    build-bench/bench/export_bench "$folder" "$runs"
done

# Generated for today, so that start-up finds its slips ahead, not past.
source=bench-data/startup-n100000-$today
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" 100000 --today "$today"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
QT_QPA_PLATFORM=offscreen build-bench/bench/sheet_vs_view "$work" 2>/dev/null
