#!/usr/bin/env bash
# Builds the Debian package in its own Release folder, checks its desktop
# entry and metainfo, installs it, starts both installed programs once (the
# desktop one offscreen) and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/package
jobs=$(nproc)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

echo "== Package build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSKARNWALD_TESTS=OFF -DSKARNWALD_BENCH=OFF -DSKARNWALD_FUZZ=OFF -DSKARNWALD_SANITIZE=OFF
cmake --build "$build" --parallel "$jobs" --target skarnwald skarnwald-cli
rm -f "$build"/skarnwald_*.deb
(cd "$build" && cpack -G DEB)
package=$(ls "$build"/skarnwald_*.deb)
echo "-- $package"
dpkg-deb --info "$package" | grep -E '^ (Package|Version|Depends|Recommends):'

echo "== Desktop entry and metainfo"
desktop-file-validate src/app/skarnwald.desktop
appstreamcli validate --no-net src/app/org.skarnwald.Skarnwald.metainfo.xml

echo "== Install, run once, remove"
$sudo dpkg -i "$package"
trap '$sudo dpkg -r skarnwald >/dev/null' EXIT
for file in /usr/bin/skarnwald /usr/bin/skarnwald-cli /usr/share/applications/skarnwald.desktop \
  /usr/share/icons/hicolor/64x64/apps/skarnwald.png /usr/share/metainfo/org.skarnwald.Skarnwald.metainfo.xml; do
  [ -f "$file" ] || { echo "missing after install: $file" >&2; exit 1; }
done
# Started from a folder of their own, as the menu would, both programs use
# the archive in the user's data folder and the window shows its built-in
# background.
work=$(mktemp -d)
mkdir "$work/home" "$work/run"
cd "$work/run"
export HOME=$work/home
unset XDG_DATA_HOME SKARNWALD_DB
skarnwald-cli --version
skarnwald-cli convert "$root/samples/one-battle.txt" -o page > /dev/null
[ -s page.htm ]
# The desktop program runs until it is closed: still running after a few
# seconds means it started; `timeout` then ends it with status 124.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 skarnwald || status=$?
[ "$status" -eq 124 ] || { echo "skarnwald ended early with status $status" >&2; exit 1; }
[ -f "$HOME/.local/share/skarnwald/Data.dat" ]
[ ! -e Data.dat ]
QT_QPA_PLATFORM=offscreen timeout 20 skarnwald --screenshot window.ppm
python3 "$root/scripts/check-background.py" window.ppm
cd "$root"
rm -rf "$work"
echo "Package test passed."
