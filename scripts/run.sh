#!/usr/bin/env bash
# Builds the program, installs it into its own program folder (Rotaplan/ beside this
# repository's sources, where the operator's files live) and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROTAPLAN_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target rotaplan
# Installing copies only the program's own files; the data files beside them stay.
cmake --install build --prefix "$PWD/Rotaplan" --component program >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cd Rotaplan && exec xvfb-run -a ./rotaplan "$@"
fi
cd Rotaplan && exec ./rotaplan "$@"
