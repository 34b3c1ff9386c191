#!/usr/bin/env bash
# Renders the program's PNG icons from the scalable one (run after changing the SVG).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons/hicolor"
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 48 128 256; do
    mkdir -p "${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" scalable/apps/rotaplan.svg -o "${size}x${size}/apps/rotaplan.png"
done
