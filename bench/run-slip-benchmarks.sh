#!/usr/bin/env bash
# Generates the benchmark folders (once), runs the slip-file benchmarks, and divides each by
# its floor timed in the same process (BM_CatBaseline, BM_CopySyncBaseline, the move's own
# paired copies).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target rotaplan_generate slip_bench >/dev/null
for n in 1000 100000 1000000; do
    [ -f "bench-data/n$n/Slips.txt" ] || build-bench/bench/rotaplan_generate "bench-data/n$n" "$n"
done

seconds() { local s e; s=$(date +%s.%N); "$@"; e=$(date +%s.%N); echo "$e - $s" | bc; }
# What deleting the purge's 728 day files costs this disk at all: `rm` of as many small files
# written and flushed beforehand.
days=$(mktemp -d)
for i in $(seq 1 728); do printf '"",""\r\n%.0s' 1 2 3 4 5 6 7 8 > "$days/$i.txt"; done
sync
rm_s=$(seconds rm -f "$days"/*.txt)
rmdir "$days"

build-bench/bench/slip_bench --benchmark_format=console --benchmark_out=build-bench/slip_bench.json \
    --benchmark_out_format=json
ms() { python3 -c "import json,sys; d=json.load(open('build-bench/slip_bench.json'))
b=[x for x in d['benchmarks'] if x['name']==sys.argv[1]][0]
f={'ms':1,'us':1e-3,'ns':1e-6}[b['time_unit']]; print(b['real_time']*f)" "$1"; }
counter() { python3 -c "import json,sys; d=json.load(open('build-bench/slip_bench.json'))
print([x for x in d['benchmarks'] if x['name']==sys.argv[1]][0][sys.argv[2]])" "$1" "$2"; }
scan=$(ms BM_FullScan)
rewrite=$(ms BM_RemovalRewrite/iterations:3)
next_small=$(ms BM_NextStep/large:0)
next_big=$(ms BM_NextStep/large:1)
details=$(ms BM_FillDayDetails)
find=$(ms BM_FindNoMatch)
move=$(ms BM_MovePastSlips/iterations:5)
purge=$(ms BM_PurgePastDays/iterations:5)
small=$(ms BM_Append/large:0)
big=$(ms BM_Append/large:1)
echo
cat=$(ms BM_CatBaseline)
copy=$(ms BM_CopySyncBaseline/iterations:3)
printf 'scan %.1f ms, an aligned read of the file %.1f ms: ratio %.2f (goal <= 2)\n' "$scan" "$cat" "$(echo "$scan/$cat" | bc -l)"
printf 'append %.3f ms at 1,000, %.3f ms at 1,000,000: ratio %.2f (goal within 20%%)\n' "$small" "$big" "$(echo "$big/$small" | bc -l)"
printf 'rewrite %.0f ms, a flushed copy %.0f ms: ratio %.2f (goal <= 3)\n' "$rewrite" "$copy" "$(echo "$rewrite/$copy" | bc -l)"
printf 'next step %.3f ms at 1,000, %.3f ms at 1,000,000: ratio %.2f (goal within 20%%)\n' "$next_small" "$next_big" "$(echo "$next_big/$next_small" | bc -l)"
printf "a day's details %.1f ms, find %.1f ms: %.2f and %.2f of the scan (goal <= 2)\n" "$details" "$find" "$(echo "$details/$scan" | bc -l)" "$(echo "$find/$scan" | bc -l)"
printf 'move of past slips %.0f ms, every run timed: %.2f of a flushed copy of the same Slips.txt in the same run (goal <= 2), peak %.0f MB (goal < 64)\n' \
    "$move" "$(counter BM_MovePastSlips/iterations:5 ratio)" "$(counter BM_MovePastSlips/iterations:5 peakMB)"
printf 'purge of 364 days of two teams %.1f ms (goal < 50); rm of 728 such files %.1f ms\n' "$purge" "$(echo "$rm_s*1000" | bc)"
for n in 100000 1000000; do
    rss=$(ROTAPLAN_BENCH_LARGE=bench-data/n$n /usr/bin/time -f %M build-bench/bench/slip_bench \
        --benchmark_filter=BM_FullScan --benchmark_min_time=0.1 2>&1 >/dev/null | tail -1)
    echo "scan of $n slips: max RSS $rss KiB"
done
