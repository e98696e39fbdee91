#!/usr/bin/env bash
# The web edition's browser tests: builds the site and the native command
# line (the reference every page is compared with), installs the test library
# from npm and drives the system's headless Chromium. Never downloads a browser.
set -euo pipefail
cd "$(dirname "$0")/.."

clang-format --dry-run --Werror web/*.cpp web/*.h
scripts/build-web.sh
cmake -S . -B build/cli -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSKARNWALD_GUI=OFF -DSKARNWALD_TESTS=OFF -DSKARNWALD_BENCH=OFF >/dev/null
cmake --build build/cli --target skarnwald-cli --parallel "$(nproc)"

export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
export SKARNWALD_SITE=$PWD/build/web/site SKARNWALD_CLI=$PWD/build/cli/src/cli/skarnwald-cli
cd tests/web && node --test
