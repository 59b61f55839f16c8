#!/usr/bin/env bash
# Runs every libFuzzer target for a while, all four at once, starting from the committed corpora.
# New inputs go to a scratch folder, so the committed corpora stay as they are; a crash, leak,
# time-out or verification mismatch fails the run and leaves the input in the scratch folder.
#
#   scripts/fuzz.sh FUZZ_BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/fuzz.sh FUZZ_BUILD_DIR [SECONDS_PER_TARGET]}
seconds=${2:-30}
scratch=$(mktemp -d /tmp/kestrel-fuzz.XXXXXX)
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
  local target=$1 corpus=$2
  mkdir -p "$scratch/$target"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$scratch/$target/" "$scratch/$target" \
    "fuzz/corpus/$corpus" >"$scratch/$target.log" 2>&1; then
    echo "$target: $(grep -E '^stat::number_of_executed_units' "$scratch/$target.log" |
      awk '{print $2}') executions, $(grep -oE 'cov: [0-9]+' "$scratch/$target.log" | tail -1)"
  else
    tail -60 "$scratch/$target.log" >&2
    echo "$target: FAILED (inputs and log in $scratch)" >&2
    return 1
  fi
}

status=0
pids=()
run fuzz_canonical_entry canonical_entry & pids+=($!)
run fuzz_literal literal & pids+=($!)
run fuzz_files files & pids+=($!)
run fuzz_pipeline pipeline & pids+=($!)
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
[ "$status" = 0 ] && rm -rf "$scratch"
exit "$status"
