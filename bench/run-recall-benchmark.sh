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
b = {x['run_name']: x for x in d['benchmarks'] if x.get('aggregate_name') == 'median'}
def ms(name, kind): return b[name][kind + '_time']
scan, build = 'BM_RawScan/real_time', 'BM_Build/real_time'
for kind in ('real', 'cpu'):
    print(f"build {ms(build, kind):.0f} ms, raw scan {ms(scan, kind):.1f} ms ({kind} time): "
          f"ratio {ms(build, kind) / ms(scan, kind):.1f} (goal <= 2)")
print(f"index holds {b[build]['heldMB']:.0f} MB at 1,000,000 slips (goal <= 150)")
for tel, what in ((0, 'name'), (1, 'telephone')):
    small, big = (b[f'BM_Keystroke/large:{n}/telephone:{tel}'] for n in (0, 1))
    print(f"{what} keystroke {small['cpu_time']:.2f} us at 1,000 ({small['rowsPerKey']:.1f} rows), "
          f"{big['cpu_time']:.2f} us at 1,000,000 ({big['rowsPerKey']:.1f} rows): "
          f"ratio {big['cpu_time'] / small['cpu_time']:.2f} (goal < 1 ms, within 20%)")
PY
