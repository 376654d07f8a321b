#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset for a bounded time, starting from
# its committed corpus (fuzz/corpus/<target>/).
#
#   fuzz/run_fuzzers.sh [seconds per target] [libFuzzer options...]
#
# New inputs go to a scratch directory (or to $FUZZ_CORPUS/<target> when
# set, so that long runs can be resumed), never into the committed corpora.
# A finding stops the run with a non-zero status and is kept as
# $FUZZ_ARTIFACTS/<target>-crash-... (default build/fuzz/artifacts).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-15}
shift || true
bin=build/fuzz/bin
artifacts=${FUZZ_ARTIFACTS:-build/fuzz/artifacts}
mkdir -p "$artifacts"

for source in fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  if [[ -n "${FUZZ_CORPUS:-}" ]]; then
    corpus="$FUZZ_CORPUS/$target"
    mkdir -p "$corpus"
  else
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' EXIT
  fi
  log="$artifacts/$target.log"
  status=0
  "$bin/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$@" "$corpus" "fuzz/corpus/$target" \
    >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$target: ${executions:-?} executions in ${seconds}s"
  if [[ -z "${FUZZ_CORPUS:-}" ]]; then rm -rf "$corpus"; trap - EXIT; fi
  if ((status != 0)); then
    tail -n 40 "$log"
    echo "$target failed with status $status; the input is in $artifacts"
    exit "$status"
  fi
done
