#!/usr/bin/env bash
# Builds the web edition with Debian's Emscripten: the conversion as
# WebAssembly and the static site folder around it, build/web/site.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# SQLite's C source, pinned by the lock file; nothing of the package is run.
(cd web/sqlite && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
# Debian's Emscripten runs its optimizer under Node and looks for its
# modules in the system's Node folder.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S . -B build/web -G Ninja -DSKARNWALD_WEB=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/web --parallel "$(nproc)"
