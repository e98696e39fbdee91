#!/usr/bin/env bash
# The summary card of the 1,000-battle report of about 5 MB ("many" of the
# conversion benchmark) as PNG on the command line, as a player runs it:
# wall-clock median of RUNS runs (default 5). Needs a Release build with
# benchmarks: cmake -DSKARNWALD_BENCH=ON, targets skarnwald-cli and
# skarnwald-convert-bench.
# Usage: bench/card/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/convert/skarnwald-convert-bench" write many "$work/many.txt"
times=()
for ((run = 0; run < runs; ++run)); do
  start=$(date +%s%N)
  # A database and configuration of its own, so nothing of the user's is touched.
  SKARNWALD_DB="$work/Data.dat" XDG_CONFIG_HOME="$work" LANGUAGE= LC_ALL=C \
    "$build/src/cli/skarnwald-cli" convert "$work/many.txt" --format png -o "$work/card" >/dev/null
  times+=($((($(date +%s%N) - start) / 1000000)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p")
printf 'card png: input %s bytes, %d runs: median %d ms (limit 1000 ms)\n' "$(stat -c %s "$work/many.txt")" \
  "$runs" "$median"
