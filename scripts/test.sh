#!/usr/bin/env bash
# Installs what is missing, builds under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test: the Windows release first (signatures, resources, MSI install, upgrade and
# uninstall under wine64), then the Windows programs' tests under wine64, the Debian package,
# the Linux tests; each fuzz target runs for 30 seconds beside the Windows release check.
# Everything shipped or measured is built too, so that no target can break unnoticed: every
# target of the release preset (the benchmarks included) and of both Windows presets.
#
# To be fast, each thing is built once: every compilation goes through ccache
# (cmake/CompilerCache.cmake), so that sources compiled before on this machine, in any clone, come
# from the cache; the Debian package is made from the release build; the release build leaves out
# the tests, which run from the sanitizer build. Each stage prints its duration, and the total is
# printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

# Room for the objects of many runs (one run stores a few hundred MB), unless chosen elsewhere.
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}

started=$SECONDS
# stage NAME COMMAND...: runs the command, then prints how long it took.
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== stage $name"
  "$@"
  printf '== stage %s: %d s\n' "$name" $((SECONDS - start))
}

# ccache's counters (of the whole cache, shared with any other build running meanwhile).
ccache_count() { # NAME...: the sum of those counters
  command -v ccache >/dev/null || { echo 0; return; }
  ccache --print-stats | awk -v names=" $* " 'index(names, " " $1 " ") { sum += $2 } END { print sum + 0 }'
}

# background NAME COMMAND...: starts a stage beside the next ones, its output kept in a file.
# joined NAME: waits for it, prints its output and duration, and stops here if it failed.
scratch=$(mktemp -d /tmp/tx3-test.XXXXXX)
# A failing stage ends the run: a stage still running beside it is stopped first.
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$scratch"' EXIT
background() {
  local name=$1
  shift
  echo "== stage $name: started beside the next stages"
  (
    start=$SECONDS status=0
    "$@" >"$scratch/$name.log" 2>&1 || status=$?
    echo "$status $((SECONDS - start))" >"$scratch/$name.end"
  ) &
}
joined() {
  local name=$1 status seconds
  wait
  read -r status seconds <"$scratch/$name.end"
  echo "== stage $name (beside the stages above)"
  cat "$scratch/$name.log"
  printf '== stage %s: %d s\n' "$name" "$seconds"
  if [ "$status" -ne 0 ]; then
    echo "FAILED: stage $name (status $status)"
    exit "$status"
  fi
}

stage install-deps scripts/install-deps.sh
hits_before=$(ccache_count direct_cache_hit preprocessed_cache_hit)
misses_before=$(ccache_count cache_miss)
stage sanitize-configure cmake --preset sanitize
stage sanitize-build cmake --build --preset sanitize
stage release-configure cmake --preset default
stage release-build cmake --build --preset default
stage seam-check scripts/check-seam.sh
# The release check builds the Windows programs, their packages and the test kit (x64 and x86);
# the Windows tests then run that kit, and the rest of the x86 preset is built.
# The fuzz targets build and run beside the Windows release check, whose installs under Wine leave
# a processor idle; they are done before the tests that drive windows and time some steps.
background fuzz scripts/fuzz-smoke.sh 30
stage windows-release tests/packaging/check-windows-release.sh
joined fuzz
stage windows-tests env TX3_WINDOWS_BUILT=1 scripts/test-windows.sh
stage windows-x86-build cmake --build --preset windows-x86
stage deb tests/packaging/check-deb.sh
export QT_QPA_PLATFORM=offscreen
stage ctest ctest --preset sanitize -j "$(nproc)"
hits=$(($(ccache_count direct_cache_hit preprocessed_cache_hit) - hits_before))
misses=$(($(ccache_count cache_miss) - misses_before))
echo "== ccache: $hits compilations from the cache, $misses compiled"
printf '== all stages: %d s\n' $((SECONDS - started))
