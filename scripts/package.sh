#!/usr/bin/env bash
# Builds a Release with Debian's hardening flags and writes dist/rotaplan_<version>_amd64.deb.
set -euo pipefail
export DEB_BUILD_MAINT_OPTIONS=hardening=+all # bindnow as well
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

build=build-package
flags=(-DCMAKE_BUILD_TYPE=Release -DROTAPLAN_BENCH=OFF -DROTAPLAN_SYSTEM_INSTALL=ON
       -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
       "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
       "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
command -v ccache >/dev/null && flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" "${flags[@]}" >/dev/null
# Only the program: the package holds nothing of the tests.
cmake --build "$build" -j"$(nproc)" --target rotaplan
rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -B "$build/cpack" >/dev/null
mkdir -p dist
mv "$build"/cpack/rotaplan_*_amd64.deb dist/
ls dist/rotaplan_*_amd64.deb
