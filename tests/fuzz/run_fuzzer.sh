#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time on a copy of the seed corpus and fails on any finding.
#   run_fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS
set -u
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/findings"
log="$work/fuzz.log"
# New inputs go to the work corpus, never into the committed seeds.
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
  -artifact_prefix="$work/findings/" "$work/corpus" "$seeds" >"$log" 2>&1
status=$?
grep -E "^(INFO: Running with|#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)" "$log"
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "fuzz executions: ${runs:-unknown} in ${seconds} s"
if [ "$status" -ne 0 ] || ls "$work/findings" | grep -q .; then
  echo "fuzzer found a problem (exit $status):"
  tail -40 "$log"
  exit 1
fi
