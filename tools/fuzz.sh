#!/usr/bin/env bash
# Runs every fuzz target of the native build for FUZZ_SECONDS seconds each
# (default 60), one after the other, over its committed seeds and the
# corpus earlier runs gathered:
#   tools/fuzz.sh [TARGET...]
# A target that finds a crash, a leak, a failed check, an out-of-memory or
# a timeout writes the input to build/native/fuzz/<target>/ and makes the
# script exit non-zero once all targets have run. To run a finding again:
#   build/native/bin/<target> build/native/fuzz/<target>/crash-...
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-60}"
bin="$root/build/native/bin"
targets=("$@")
if ((${#targets[@]} == 0)); then
  for path in "$root"/fuzz/*_fuzzer.cpp; do
    targets+=("$(basename "$path" .cpp)")
  done
fi

failed=()
for target in "${targets[@]}"; do
  work="$root/build/native/fuzz/$target"
  mkdir -p "$work/corpus"
  echo "fuzz: $target for ${seconds}s"
  if ! "$bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$root/fuzz/corpus/$target" \
    >"$work/last-run.log" 2>&1; then
    failed+=("$target")
    echo "fuzz: $target FOUND A FAILURE; see $work/last-run.log" >&2
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed)' "$work/last-run.log" >&2 || true
  fi
  grep -E '^stat::number_of_executed_units' "$work/last-run.log" || true
done
if ((${#failed[@]})); then
  echo "fuzz: findings in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${#targets[@]} targets, nothing found"
