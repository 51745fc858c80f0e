#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for a short while (30 s unless given) from its
# seeds; new inputs go to a scratch folder, so the seeds kept in fuzz/corpus stay as they are.
# The targets run side by side, as many at once as there are processors (each fuzzes on one), and
# each prints the end of its output when it is done.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
# The targets alone (one per fuzz/*_fuzz.cpp), not the rest of the preset.
targets=()
for source in fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"
scratch=$(mktemp -d /tmp/tx3-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# fuzz TARGET: runs it, leaving its output in $scratch/TARGET.log and its status in
# $scratch/TARGET.status.
fuzz() {
  local target=$1 seeds=()
  mkdir -p "$scratch/$target"
  [ -d "fuzz/corpus/$target" ] && seeds=("$PWD/fuzz/corpus/$target")
  # Absolute paths: some targets work in a scratch folder of their own.
  local status=0
  "$PWD/build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="$scratch/$target-" "$scratch/$target" "${seeds[@]}" \
    >"$scratch/$target.log" 2>&1 || status=$?
  echo "$status" >"$scratch/$target.status"
}

jobs_max=$(nproc)
running=0
for target in "${targets[@]}"; do
  if ((running == jobs_max)); then
    wait -n || true
    running=$((running - 1))
  fi
  echo "== $target: ${seconds} s"
  fuzz "$target" &
  running=$((running + 1))
done
wait

failed=0
for target in "${targets[@]}"; do
  echo "== $target"
  tail -n 3 "$scratch/$target.log"
  status=$(cat "$scratch/$target.status")
  if [ "$status" -ne 0 ]; then
    echo "FAILED: $target found a fault (status $status)"
    ls "$scratch/$target"-* || true
    failed=1
  fi
done
if ((failed)); then
  trap - EXIT # the reproducers stay in the scratch folder
  exit 1
fi
