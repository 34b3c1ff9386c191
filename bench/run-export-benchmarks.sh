#!/usr/bin/env bash
# The exports' benchmarks: the report of a million completed slips as CSV and as a workbook
# against the plain scan of the same file and a flushed copy of the CSV, in one run, with peak
# memory at two sizes; then a week's day
# sheets as PDF against the schedule view of the same days. Usage:
# bench/run-export-benchmarks.sh [slips for the sheet]
set -euo pipefail
cd "$(dirname "$0")/.."
slips=${1:-100000}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target rotaplan_generate slip_bench sheet_vs_view >/dev/null
for n in 100000 1000000; do
    [ -f "bench-data/n$n/Slips.txt" ] || build-bench/bench/rotaplan_generate "bench-data/n$n" "$n"
done
cat bench-data/n1000000/Slips.txt >/dev/null # into the page cache
build-bench/bench/slip_bench --benchmark_filter='BM_FullScan|BM_Completed(Csv|Xlsx)|BM_CsvCopyBaseline' \
    --benchmark_format=console
for n in 100000 1000000; do
    for format in Csv Xlsx; do
        rss=$(ROTAPLAN_BENCH_LARGE=bench-data/n$n /usr/bin/time -f %M build-bench/bench/slip_bench \
            --benchmark_filter=BM_Completed$format 2>&1 >/dev/null | tail -1)
        echo "$format report of $n slips: max RSS $rss KiB"
    done
done

# Generated for today, so that start-up finds its slips ahead, not past.
source=bench-data/startup-n$slips-$(date +%F)
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" "$slips" --today "$(date +%F)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
QT_QPA_PLATFORM=offscreen build-bench/bench/sheet_vs_view "$work" 2>/dev/null
