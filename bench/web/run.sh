#!/usr/bin/env bash
# Builds the web edition and times it in headless Chromium (bench-web.js).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/build-web.sh >/dev/null
(cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
SKARNWALD_SITE=$PWD/build/web/site node bench/web/bench-web.js
