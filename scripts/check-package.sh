#!/usr/bin/env bash
# Checks the package scripts/package.sh wrote: lintian finds no error, the files are where
# the desktop looks for them, apt can install it, and the program, run from it, keeps the
# operator's files in the data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls dist/rotaplan_*_amd64.deb)

lintian --fail-on error "$deb"
appstreamcli validate --no-net desktop/com.quarrow.rotaplan.metainfo.xml

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/rotaplan ./usr/share/rotaplan/help/index.html \
            ./usr/share/applications/rotaplan.desktop ./usr/share/metainfo/com.quarrow.rotaplan.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/rotaplan.png \
            ./usr/share/icons/hicolor/128x128/apps/rotaplan.png \
            ./usr/share/icons/hicolor/256x256/apps/rotaplan.png \
            ./usr/share/icons/hicolor/scalable/apps/rotaplan.svg \
            ./usr/share/doc/rotaplan/copyright ./usr/share/doc/rotaplan/changelog.gz \
            ./usr/share/man/man1/rotaplan.1.gz; do
    grep -qxF "$file" <<<"$contents" || { echo "$deb lacks $file" >&2; exit 1; }
done
for library in libqt6widgets6 libical3 zlib1g libisal2; do
    dpkg-deb --field "$deb" Depends | grep -q "$library" || { echo "Depends lacks $library" >&2; exit 1; }
done
apt-get install --simulate -qq "./$deb" >/dev/null

scratch=$(mktemp -d /tmp/rotaplan-package.XXXX)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
dpkg-deb --extract "$deb" "$scratch/root"
chmod a-w "$scratch/root/usr/bin" # as under /usr: not the operator's to write into
"$scratch/root/usr/bin/rotaplan" --version
# Start-up writes the folder's files before the splash waits for the operator.
env -u XDG_DATA_HOME HOME="$scratch/home" QT_QPA_PLATFORM=offscreen timeout 10 "$scratch/root/usr/bin/rotaplan" || true
test -f "$scratch/home/.local/share/Rotaplan/Settings.txt" || {
    echo "the packaged program did not keep its files in ~/.local/share/Rotaplan" >&2; exit 1; }
test -z "$(ls "$scratch/root/usr/bin" | grep -vx rotaplan)"
echo "package checked: $deb"
