#!/usr/bin/env bash
# Builds the web edition and serves it on http://127.0.0.1:PORT/ (default
# 8080) until Ctrl+C. The folder build/web/site can go on any static host.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}

scripts/build-web.sh
echo "Skarnwald Web: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
