#!/usr/bin/env bash
# Builds the Windows programs and the 64-bit test programs, and runs the tests under wine64 in a
# throw-away prefix, on a virtual display (the window's tests need one). The 32-bit programs are
# built and linked but not run: these machines cannot run 32-bit Windows programs.
set -euo pipefail
cd "$(dirname "$0")/.."
wine=/usr/lib/wine/wine64

# The part that runs on the virtual display: one display for the whole run, since the prefix's
# processes keep the display they started with.
if [ "${1:-}" = --on-display ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  passed=0
  failed=0
  for test in build/windows-x64/bin/tx3_*_tests.exe; do
    echo "== $(basename "$test") (wine64)"
    if "$wine" "$test" --gtest_brief=1; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FAILED: $(basename "$test")"
    fi
  done
  echo "wine64: $passed passed, $failed failed"
  ((failed == 0))
  exit
fi

scripts/build-windows.sh
cmake --build --preset windows-x64

prefix=$(mktemp -d /tmp/tx3-wine.XXXXXX)
trap 'WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine's ANSI code page follows the locale: Windows-1252, as on a French or English workstation.
export LC_ALL=C.UTF-8
scripts/on-virtual-display.sh "$0" --on-display
