#!/usr/bin/env bash
# Runs every fuzzer for the given number of seconds, starting from the
# committed seed corpus. Inputs found along the way stay in fuzz-work/;
# a crash stops the run and is saved there as fuzz-work/<target>/crash-*.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
for target in thingy hexposure mojihyo padhex tfs text_form check; do
  work="$root/fuzz-work/$target"
  mkdir -p "$work/corpus"
  cp -n "$root/fuzz/corpus/$target/"* "$work/corpus/" 2>/dev/null || true
  echo "== fuzz_$target for ${seconds}s"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" 2>&1 | grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' || true
  if compgen -G "$work/crash-*" >/dev/null || compgen -G "$work/leak-*" >/dev/null ||
     compgen -G "$work/timeout-*" >/dev/null; then
    echo "fuzz_$target found a failing input in $work" >&2
    exit 1
  fi
done
