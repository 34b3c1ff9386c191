#!/usr/bin/env bash
# Generates the realistic benchmark folders (once), then measures the intake's customer index
# (its build against a plain read of the same files in the same run, the memory it holds, the
# keystrokes from the start on) and a day's details through it against the scan, and prints
# each figure beside its goal. Medians of [repetitions] runs (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target rotaplan_generate recall_bench slip_bench >/dev/null
# As the start leaves a folder (the past calls moved to CompletedSlips.txt), and, for a day's
# details, one whose Slips.txt still holds them all: the scan's worst case.
for n in 1000 100000 1000000; do
    [ -f "bench-data/c$n/Slips.txt" ] || build-bench/bench/rotaplan_generate "bench-data/c$n" \
        "$n" --realistic --completed --today 2026-12-07 >/dev/null
    [ -f "bench-data/n$n/Slips.txt" ] ||
        build-bench/bench/rotaplan_generate "bench-data/n$n" "$n" --realistic --today 2026-12-07 \
            >/dev/null
done
common=(--benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true
    --benchmark_out_format=json)
ROTAPLAN_BENCH_SMALL=bench-data/c1000 ROTAPLAN_BENCH_MEDIUM=bench-data/c100000 \
    ROTAPLAN_BENCH_LARGE=bench-data/c1000000 build-bench/bench/recall_bench "${common[@]}" \
    --benchmark_out=build-bench/recall_bench.json
ROTAPLAN_BENCH_SMALL=bench-data/n1000 ROTAPLAN_BENCH_MEDIUM=bench-data/n100000 \
    ROTAPLAN_BENCH_LARGE=bench-data/n1000000 build-bench/bench/slip_bench \
    --benchmark_filter=BM_FillDayDetails "${common[@]}" --benchmark_out=build-bench/day_details.json
python3 - <<'PY'
import json
def medians(name):
    d = json.load(open(f'build-bench/{name}.json'))
    return {x['run_name']: x for x in d['benchmarks'] if x.get('aggregate_name') == 'median'}
b, d = medians('recall_bench'), medians('day_details')
sizes = ('1,000', '100,000', '1,000,000')
for i, n in enumerate(sizes):
    r = b[f'BM_BuildAgainstRead/size:{i}/manual_time']
    print(f'{n:>9} slips: build {r["real_time"]:.1f} ms, read {r["readMs"]:.1f} ms: '
          f'ratio {r["real_time"] / r["readMs"]:.2f} (goal <= 6); '
          f'holds {r["heldMB"]:.2f} MB (goal <= 50), peak {r["peakMB"]:.1f} MB')
for i, n in enumerate(sizes):
    k = b[f'BM_Keystrokes/size:{i}']
    print(f'{n:>9} slips: keystroke right after the start {k["whileReadingMs"]:.3f} ms '
          f'(still reading; complete after {k["readyAfterMs"]:.0f} ms), first once read '
          f'{k["firstKeyMs"]:.2f} ms, later {k["laterKeyMs"]:.2f} ms (goal < 15, first as later)')
for i, n in enumerate(sizes):
    x = d[f'BM_FillDayDetails/size:{i}/iterations:20/manual_time']
    print(f'{n:>9} slips: a day\'s details {x["real_time"]:.3f} ms through the index, '
          f'{x["scanMs"]:.2f} ms by the scan of {x["records"]:.0f} records (goal < 5 ms)')
PY
