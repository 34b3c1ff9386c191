#!/usr/bin/env bash
# Non-blank lines of test code against those of the program, benchmarks and fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | grep -cv '^\s*$'; }
tests=$(count tests)
code=$(count src bench fuzz)
echo "tests $tests, code $code: $((100 * tests / code))%"
