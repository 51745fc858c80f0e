#!/usr/bin/env bash
# Builds the Windows programs, their MSI packages and the Windows test kit (scripts/build-windows.sh),
# and runs the kit as a Windows machine receives it: unzipped into a new wine64 prefix that reports
# Windows 10 and maps no drive but C: (none to the build or source tree), its run-tests.cmd run
# there under wine64 cmd, on a virtual display (the window's tests need one). The JUnit files are
# left in build/windows-x64/test-results/. The 32-bit programs are built and linked but not run:
# these machines cannot run 32-bit Windows programs.
set -euo pipefail
cd "$(dirname "$0")/.."
wine=/usr/lib/wine/wine64
results=build/windows-x64/test-results

# The part that runs on the virtual display: one display for the whole run, since the prefix's
# processes keep the display they started with.
if [ "${1:-}" = --on-display ]; then
  kit=$2
  "$wine" wineboot -i >/dev/null 2>&1
  # Windows 10, as on the workstations; and no drive but C:.
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  find "$WINEPREFIX/dosdevices" -mindepth 1 -maxdepth 1 -name '?:*' ! -name c: -exec rm -f {} +
  mkdir -p "$WINEPREFIX/drive_c/kit"
  unzip -q "$kit" -d "$WINEPREFIX/drive_c/kit"
  folder=$(basename "$kit" .zip)
  status=0
  # From C:\, so that no folder of this machine is the current one.
  (cd "$WINEPREFIX/drive_c" && "$wine" cmd /c "C:\\kit\\$folder\\run-tests.cmd") | tee "$WINEPREFIX/run.log" ||
    status=$?
  rm -rf "$results"
  cp -r "$WINEPREFIX/drive_c/kit/$folder/results" "$results"
  # Every test program wrote its JUnit file, the summary line came last, and the prefix still
  # maps no drive but C:.
  for test in "$WINEPREFIX/drive_c/kit/$folder"/bin/tx3_*_tests.exe; do
    xml="$results/$(basename "$test" .exe).xml"
    if [ ! -s "$xml" ]; then
      echo "FAILED: no $xml" >&2
      status=1
    fi
  done
  if ! tail -n 1 "$WINEPREFIX/run.log" | tr -d '\r' | grep -Eqx '[0-9]+ passed, [0-9]+ failed'; then
    echo "FAILED: run-tests.cmd printed no summary line last" >&2
    status=1
  fi
  drives=$(find "$WINEPREFIX/dosdevices" -mindepth 1 -maxdepth 1 -name '?:*' -printf '%f ')
  if [ "$drives" != "c: " ]; then
    echo "FAILED: the prefix maps other drives than C: ($drives)" >&2
    status=1
  fi
  exit "$status"
fi

# TX3_WINDOWS_BUILT=1: the programs, packages and kit of these sources are already in dist/ (the
# test command builds them once, in the release check it runs first).
[ "${TX3_WINDOWS_BUILT:-}" = 1 ] || scripts/build-windows.sh
version=$(sed -n 's/^TX3_VERSION=//p' build/windows-x64/tx3_release.env)
kit=$PWD/dist/tx3_setup-windows-x64-tests-$version.zip

prefix=$(mktemp -d /tmp/tx3-wine.XXXXXX)
trap 'WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine's ANSI code page follows the locale: Windows-1252, as on a French or English workstation.
export LC_ALL=C.UTF-8
scripts/on-virtual-display.sh "$0" --on-display "$kit"
