#!/usr/bin/env bash
# Generates the benchmark folders (once), then measures the intake's customer index: its
# build against a plain read of the same files, the memory it holds, and one keystroke.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target rotaplan_generate recall_bench >/dev/null
for n in 1000 1000000; do
    [ -f "bench-data/n$n/Slips.txt" ] || build-bench/bench/rotaplan_generate "bench-data/n$n" "$n"
done
cat bench-data/n1000000/Slips.txt >/dev/null # into the page cache
build-bench/bench/recall_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out=build-bench/recall_bench.json --benchmark_out_format=json
python3 - <<'PY'
import json
d = json.load(open('build-bench/recall_bench.json'))
b = {x['name']: x for x in d['benchmarks'] if x.get('aggregate_name') == 'median'}
scan = b['BM_RawScan_median']['real_time']
build = b['BM_Build_median']
small = b['BM_Keystroke/large:0_median']['real_time']
big = b['BM_Keystroke/large:1_median']['real_time']
print(f"build {build['real_time']:.0f} ms, raw scan {scan:.0f} ms: ratio {build['real_time']/scan:.2f} (goal <= 2)")
print(f"index holds {build['heldMB']:.0f} MB at 1,000,000 slips, peak RSS {build['maxRssMB']:.0f} MB (goal <= 150)")
print(f"keystroke {small:.2f} us at 1,000, {big:.2f} us at 1,000,000: ratio {big/small:.2f} (goal < 1 ms, within 20%)")
PY
