#!/usr/bin/env bash
# Whole-process start-up to the splash shown, offscreen, on a copy of a generated folder.
# Usage: bench/run-startup-benchmark.sh [slips] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
slips=${1:-100000}
runs=${2:-20}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target startup_to_splash rotaplan_generate >/dev/null
# Generated for today, so that start-up finds its slips ahead, not past.
source=bench-data/startup-n$slips-$(date +%F)
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" "$slips" --today "$(date +%F)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
export QT_QPA_PLATFORM=offscreen
# The first start mends what the generator left (more slips than hours) and warms the caches.
build-bench/bench/startup_to_splash "$work" 2>&1 | grep -c notice | sed 's/^/notices at the first start: /'

for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    build-bench/bench/startup_to_splash "$work" 2>/dev/null
    echo $((($(date +%s%N) - start) / 1000))
done | sort -n | awk '{ t[NR] = $1 } END {
    printf "start-up to splash, %d runs: min %.1f ms, median %.1f ms, max %.1f ms\n",
        NR, t[1] / 1000, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000 }'
