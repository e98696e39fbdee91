#!/usr/bin/env bash
# Builds the web edition, the command line and the conversion bench, writes
# the 5 MB and 20 MB reports and times them in headless Chromium beside the
# command line (bench-web.js): converting and storing into the archive; then
# the stored battles list and the tab's memory (archive.js); then merging
# one archive of 10,000 battles into another (merge.js).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build-web.sh >/dev/null
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target skarnwald-cli skarnwald-convert-bench --parallel "$(nproc)" >/dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
build/release/bench/convert/skarnwald-convert-bench write many "$folder/many.txt"
build/release/bench/convert/skarnwald-convert-bench write shared4000 "$folder/shared4000.txt"
(cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
export SKARNWALD_SITE=$PWD/build/web/site SKARNWALD_CLI=$PWD/build/release/src/cli/skarnwald-cli
# Both parts run and report even when the first misses a budget; the run
# fails when either does.
failed=0
node bench/web/bench-web.js "$folder/many.txt" "$folder/shared4000.txt" || failed=1
# The stored battles list and the tab's memory on a 10,000-battle archive.
node bench/web/archive.js || failed=1
# "Archiv zusammenführen…" of 10,000 battles into 10,000, half in common.
node bench/web/merge.js || failed=1
exit "$failed"
