#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the fuzzers need.
# Does nothing when they are all present; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang clang-format libclang-rt-14-dev
  libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev xvfb xauth
  nlohmann-json3-dev libcsv-dev libssl-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  qt6-l10n-tools qt6-tools-dev libicu-dev
  desktop-file-utils appstream dpkg-dev file
  emscripten chromium python3 python3-babel
)

missing=()
# The browser tests install their test library with npm; a Node.js from
# elsewhere may already bring its own npm.
command -v npm >/dev/null || missing+=(npm)
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
