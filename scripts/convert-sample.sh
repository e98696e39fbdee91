#!/usr/bin/env bash
# Builds Skarnwald in Release and converts a bundled sample report.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKARNWALD_TESTS=OFF -DSKARNWALD_BENCH=OFF
cmake --build build/release --parallel

mkdir -p out
build/release/src/cli/skarnwald-cli convert samples/several-battles.txt -o out/several-battles.htm
echo "Page written to $PWD/out/several-battles.htm"
