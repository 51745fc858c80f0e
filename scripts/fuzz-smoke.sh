#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for a short while (30 s unless given) from its
# seeds; new inputs go to a scratch folder, so the seeds kept in fuzz/corpus stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scratch=$(mktemp -d /tmp/tx3-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
for program in build/fuzz/fuzz/*_fuzz; do
  target=$(basename "$program")
  mkdir -p "$scratch/$target"
  seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds=("$PWD/fuzz/corpus/$target")
  echo "== $target: ${seconds} s"
  # Absolute paths: some targets work in a scratch folder of their own.
  "$PWD/$program" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="$scratch/$target-" "$scratch/$target" "${seeds[@]}" 2>&1 | tail -n 3
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    echo "FAILED: $target found a fault (status $status)"
    trap - EXIT  # the reproducers stay in the scratch folder
    ls "$scratch/$target"-* || true
    exit 1
  fi
done
