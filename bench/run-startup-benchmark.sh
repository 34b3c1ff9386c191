#!/usr/bin/env bash
# Whole-process start-up to the splash shown, offscreen, on a copy of a generated folder,
# against an empty Qt Widgets program showing one label, run in turn on the same machine.
# Usage: bench/run-startup-benchmark.sh [slips] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
slips=${1:-100000}
runs=${2:-20}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target startup_to_splash empty_label rotaplan_generate >/dev/null
# Generated for today, so that start-up finds its slips ahead, not past.
source=bench-data/startup-n$slips-$(date +%F)
[ -d "$source" ] || build-bench/bench/rotaplan_generate "$source" "$slips" --today "$(date +%F)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/." "$work"
export QT_QPA_PLATFORM=offscreen
# The first start checks every file, mends what the generator left (more slips than hours)
# and ends through the common exit, as the operator's last run would.
build-bench/bench/startup_to_splash "$work" 2>&1 >/dev/null | grep -c notice |
    sed 's/^/notices at the first start: /'

for _ in $(seq "$runs"); do
    ROTAPLAN_LAUNCHED_NS=$(date +%s%N) build-bench/bench/startup_to_splash "$work" 2>/dev/null
    ROTAPLAN_LAUNCHED_NS=$(date +%s%N) build-bench/bench/empty_label 2>/dev/null
done >"$work/times"
median() {
    grep "^$1 " "$work/times" | cut -d' ' -f2 | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}
awk -v s="$(median splash)" -v l="$(median label)" -v n="$runs" 'BEGIN {
    printf "start-up to splash on the folder: median of %d runs %.1f ms\n", n, s / 1000
    printf "empty program to its label:       median of %d runs %.1f ms\n", n, l / 1000
    printf "ratio: %.2f\n", s / l }'
