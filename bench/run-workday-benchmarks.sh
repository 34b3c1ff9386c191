#!/usr/bin/env bash
# The first start of a new day, to the main menu, and the exit after a day of bookings, at
# each size, as medians of runs on fresh copies of generated folders; every ratio is against
# a floor timed in the same process (see WorkdayBench.cpp).
# Usage: bench/run-workday-benchmarks.sh [runs] [sizes...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
shift || true
sizes=${*:-1000 100000 1000000}
bin=build-bench/bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target workday_bench rotaplan_generate >/dev/null
today=$(date +%F)
mkdir -p bench-data
work=$(mktemp -d bench-data/workday.XXXXXX) # the disk the folders are on
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
median() { grep "^$1 " "$2" | cut -d' ' -f2 | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

for n in $sizes; do
    # Years of use: the calls before today still in Slips.txt. A first run ends cleanly with
    # the sibling program's file there, which stops the move, so the timed start is the
    # day's first after a clean end, and the move its one long step.
    realistic=bench-data/realistic-n$n-$today
    [ -d "$realistic" ] || $bin/rotaplan_generate "$realistic" "$n" --realistic --today "$today" >/dev/null
    for _ in $(seq "$runs"); do
        rm -rf "$work/day"
        cp -r "$realistic" "$work/day"
        touch "$work/day/Tillvane.exe"
        $bin/workday_bench "$work/day" exit 0 >/dev/null 2>&1
        rm "$work/day/Tillvane.exe"
        sync
        $bin/workday_bench "$work/day" start 2>/dev/null
    done >"$work/start"
    # The same years of use, the sibling program's file kept, so that Slips.txt stays the whole
    # folder: one untimed clean run, then a day of 30 bookings and the exit, again and again.
    rm -rf "$work/exit"
    cp -r "$realistic" "$work/exit"
    touch "$work/exit/Tillvane.exe"
    $bin/workday_bench "$work/exit" exit 0 >/dev/null 2>&1
    sync
    for _ in $(seq "$runs"); do
        sync # no write-back of the copies before is waited for by the exit's flushes
        $bin/workday_bench "$work/exit" exit 30 2>/dev/null
    done >"$work/exit.times"
    printf '%s slips, median of %s runs:\n' "$n" "$runs"
    printf '  new-day start to the menu %.0f ms, a flushed copy of Slips.txt %.0f ms: ratio %.2f (goal <= 2 at 1,000,000)\n' \
        "$(median newday_start_ms "$work/start")" "$(median copy_sync_ms "$work/start")" "$(median ratio "$work/start")"
    printf '  splash on screen after %.0f ms; peak memory %.1f MB, %.1f MB before the start (goal < 64)\n' \
        "$(median splash_shown_ms "$work/start")" "$(median peak_mb "$work/start")" "$(median resident_before_mb "$work/start")"
    printf '  exit after 30 bookings %.1f ms (goal < 50), a flushed write of what it appends %.1f ms: ratio %.1f\n' \
        "$(median exit_ms "$work/exit.times")" "$(median append_sync_ms "$work/exit.times")" "$(median ratio "$work/exit.times")"
done
