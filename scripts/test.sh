#!/usr/bin/env bash
# Checks the formatting, then builds and runs every test: the Release suite,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and
# each fuzzer for a bounded time (FUZZ_SECONDS, default 60), as many at once
# as there are cores.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

scripts/install-deps.sh

echo "== Formatting"
find src tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

echo "== Layering: each core folder includes only folders below it, never Qt or a program"
# Core folders and their levels; a folder may include its own files and those
# of folders on a lower level.
declare -A level=([text]=0 [planning]=1 [reading]=1 [writers]=2 [archive]=3)
layering_ok=true
for folder in "${!level[@]}"; do
  while IFS= read -r hit; do
    included=$(sed -E 's/.*#include *"([a-z]+)\/.*/\1/' <<<"$hit")
    [ "$included" = "$folder" ] && continue
    if [ -z "${level[$included]+set}" ] || [ "${level[$included]}" -ge "${level[$folder]}" ]; then
      echo "$hit" >&2
      layering_ok=false
    fi
  done < <(grep -rnE '#include *"[a-z]+/' "src/$folder")
  if grep -rnE '#include *<Q' "src/$folder" >&2; then layering_ok=false; fi
done
if [ "$layering_ok" != true ]; then
  echo "A core folder includes Qt, a program or a folder at its own level or above (lines above)." >&2
  exit 1
fi

echo "== Catalogs: every text the source uses, in every language, and none it no longer uses"
python3 scripts/check-catalogs.py

echo "== Release build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKARNWALD_TESTS=ON -DSKARNWALD_BENCH=ON
cmake --build build/release --parallel "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Web edition in headless Chromium"; scripts/test-web.sh

echo "== Sanitizer build and tests"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKARNWALD_SANITIZE=ON -DSKARNWALD_BENCH=OFF
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

scripts/fuzz-campaign.sh --each "$fuzz_seconds"
echo "== Debian package" && bash scripts/test-package.sh
echo "All tests passed."
