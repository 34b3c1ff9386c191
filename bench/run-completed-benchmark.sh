#!/usr/bin/env bash
# Opens the completed summary on a folder whose CompletedSlips.txt holds the slips of a
# generated folder. Usage: bench/run-completed-benchmark.sh [records] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-100000}
runs=${2:-5}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target completed_open rotaplan_generate >/dev/null
# Slips generated for today stay booked; the completed ones come from another folder.
source=bench-data/startup-n1000-$(date +%F)
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" 1000 --today "$(date +%F)"
[ -f "bench-data/n$records/Slips.txt" ] ||
    build-bench/bench/rotaplan_generate "bench-data/n$records" "$records"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
cp "bench-data/n$records/Slips.txt" "$work/CompletedSlips.txt"
export QT_QPA_PLATFORM=offscreen
for _ in $(seq "$runs"); do
    build-bench/bench/completed_open "$work" 2>/dev/null
done
