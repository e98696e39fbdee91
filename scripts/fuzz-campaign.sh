#!/usr/bin/env bash
# Runs every fuzzer from its corpus in fuzz/corpus/<target>, as many at once
# as there are cores (FUZZ_JOBS), and prints per target the inputs run, the
# coverage reached and the corpus.
#
#   scripts/fuzz-campaign.sh [MINUTES]      a campaign of MINUTES (default 60)
#                                           wall time, shared out among the
#                                           targets; afterwards the inputs that
#                                           reach something new are merged into
#                                           fuzz/corpus (-merge=1: the files
#                                           there stay) to be committed
#   scripts/fuzz-campaign.sh --each SECONDS each target for SECONDS on a copy of
#                                           its corpus, nothing kept (the tests)
#
# A find (crash, leak, timeout, failed check) lands in build/fuzz-campaign/finds
# and makes the script exit with 1 once every target has run. On a shared
# machine run campaigns niced: nice -n 19 scripts/fuzz-campaign.sh 240
#
# The fuzzers run under AddressSanitizer and UndefinedBehaviorSanitizer.
# FUZZ_SANITIZE=OFF builds them without, several times faster: a long
# campaign then reaches further, and the sanitizer build of the tests replays
# every input it keeps.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${FUZZ_JOBS:-$(nproc)}
campaign=$root/build/fuzz-campaign
sanitize=${FUZZ_SANITIZE:-ON}
build=build/fuzz
[ "$sanitize" = ON ] || build=build/fuzz-plain
bin=$root/$build/fuzz
# The longest input a target gets. fuzz_sides checks reports up to 4 KB
# (behind three bytes of settings) and skips longer ones; the shared formats'
# rules (message splits, headings) all show within 16 KB, where every format
# and the JSON check cost several times a page.
max_len_of() {
  case $1 in
    fuzz_sides) echo 4099 ;;
    fuzz_share) echo 16384 ;;
    *) echo 65536 ;;
  esac
}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DSKARNWALD_FUZZ=ON -DSKARNWALD_FUZZ_SANITIZE="$sanitize" -DSKARNWALD_GUI=OFF -DSKARNWALD_TESTS=OFF \
  -DSKARNWALD_BENCH=OFF
cmake --build "$build" --parallel "$jobs"
targets=()
for fuzzer in "$bin"/fuzz_*; do [ -x "$fuzzer" ] && targets+=("$(basename "$fuzzer")"); done

keep=true
if [ "${1:-}" = "--each" ]; then
  keep=false
  seconds=${2:?--each needs SECONDS}
else
  minutes=${1:-60}
  # Every target gets the same share of the cores' time.
  seconds=$(((minutes * 60 * jobs + ${#targets[@]} - 1) / ${#targets[@]}))
fi
rm -rf "$campaign/logs" "$campaign/finds"
mkdir -p "$campaign/logs" "$campaign/finds" "$campaign/grown"

# One target: new inputs go to the grown folder (a scratch folder when
# nothing is kept), the committed corpus is only read.
run_target() {
  local name=$1 grown
  if [ "$keep" = true ]; then grown=$campaign/grown/$name; else grown=$(mktemp -d); fi
  mkdir -p "$grown"
  "$bin/$name" -max_total_time="$seconds" -max_len="$(max_len_of "$name")" -timeout=60 -print_final_stats=1 \
    -artifact_prefix="$campaign/finds/$name-" "$grown" "$root/fuzz/corpus/$name" \
    >"$campaign/logs/$name.log" 2>&1 || echo "$name" >"$campaign/finds/$name.failed"
  [ "$keep" = true ] || rm -rf "$grown"
}
export -f run_target max_len_of
export bin campaign keep seconds root
echo "== Fuzzers: ${#targets[@]} targets, $seconds s each, $jobs at once"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target {}'

# Merges what a target grew into its corpus; prints how many files came in.
merge_target() {
  local name=$1 before
  before=$(find "fuzz/corpus/$name" -type f | wc -l)
  "$bin/$name" -merge=1 -max_len="$(max_len_of "$name")" "fuzz/corpus/$name" "$campaign/grown/$name" \
    >"$campaign/logs/$name.merge.log" 2>&1
  rm -rf "${campaign:?}/grown/$name"
  echo $(($(find "fuzz/corpus/$name" -type f | wc -l) - before))
}

stat_of() { sed -n "s/^stat::$1: *//p" "$campaign/logs/$2.log"; }
# The seconds the fuzzer ran, from its "Done N runs in S second(s)".
seconds_run() { sed -nE 's/^Done [0-9]+ runs in ([0-9]+) second.*/\1/p' "$campaign/logs/$1.log"; }
# The fuzzer's last status line: "#N ... cov: C ft: F corp: ...".
last_status() { grep -aE '^#[0-9]+' "$campaign/logs/$1.log" | tail -n 1; }

printf '%-16s %12s %11s %7s %8s %8s %10s\n' target inputs inputs/min cov features corpus added
total=0
for name in "${targets[@]}"; do
  runs=$(stat_of number_of_executed_units "$name")
  runs=${runs:-0}
  total=$((total + runs))
  status=$(last_status "$name")
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$status")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$status")
  added=-
  [ "$keep" = true ] && [ ! -e "$campaign/finds/$name.failed" ] && added=$(merge_target "$name")
  files=$(find "fuzz/corpus/$name" -type f | wc -l)
  ran=$(seconds_run "$name")
  [ "${ran:-0}" -gt 0 ] || ran=$seconds
  printf '%-16s %12d %11d %7s %8s %8s %10s\n' "$name" "$runs" $((runs * 60 / ran)) \
    "${cov:--}" "${ft:--}" "$files" "$added"
done
echo "inputs in all: $total; corpus: $(du -sh fuzz/corpus | cut -f1)"

if compgen -G "$campaign/finds/*.failed" >/dev/null; then
  for failed in "$campaign"/finds/*.failed; do
    name=$(basename "$failed" .failed)
    echo "-- $name found something (log: $campaign/logs/$name.log):" >&2
    grep -aE 'ERROR|SUMMARY|Test unit written' "$campaign/logs/$name.log" >&2 || tail -n 20 "$campaign/logs/$name.log" >&2
  done
  exit 1
fi
