#!/usr/bin/env bash
# Retakes every picture of docs/ from the program itself: on a generated folder, at a fixed
# date, on its own X display. Run it whenever a form changes, and look at every picture.
# Usage: scripts/screenshots.sh [picture folder, default docs] [font points]
# QT_SCALE_FACTOR and the like pass through to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
out=$(realpath -m "${1:-docs}")
points=${2:-}

cmake -S . -B build -DROTAPLAN_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)" --target rotaplan_screenshots rotaplan_generate >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Slips from five weeks before the pictures' day on: the start moves the past ones into the
# completed slips, and the days ahead hold bookings.
build/bench/rotaplan_generate "$work/folder" 1200 --seed 7 --today 2026-11-02 >/dev/null
cp -r help "$work/folder/help"
mkdir -p "$out"
LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 2560x1600x24" \
    build/bench/rotaplan_screenshots "$work/folder" "$out" $points
pdftoppm -png -r 90 -singlefile "$out/day-sheet.pdf" "$out/day-sheet"
rm "$out/day-sheet.pdf"
ls "$out"
