#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the program need and is missing.
# With --package also what building and checking the Debian package needs.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth clang-format clang libclang-rt-14-dev pkg-config libical-dev zlib1g-dev libisal-dev
          poppler-utils fonts-dejavu-core unzip qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
[ "${1:-}" = "--package" ] && packages+=(dpkg-dev file gzip lintian appstream)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
