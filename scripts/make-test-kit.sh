#!/usr/bin/env bash
# Makes the Windows test kit, dist/tx3_setup-windows-x64-tests-<version>.zip: one folder of that
# name, to unzip anywhere on a Windows 10 or 11 machine, holding
#   run-tests.cmd      runs every test and says "N passed, N failed" (packaging/windows/)
#   bin\               tx3_setup.exe, tx3_setup.com, every Windows test program, the stand-in
#                      engine tx3_test_engine.dll
#   planted_engine\    the planted engine library of the engine search tests
#   data\              the reference data the tests read, as under tests/
#   tx3_setup-windows-x64-<version>.msi   the package run-tests.cmd installs and removes
# The tests find all of it relative to their own folder (tests/support/test_files.h).
# Builds every target of the windows-x64 preset; the MSI package comes from
# scripts/build-windows.sh, which ends by calling this script.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/windows-x64
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64

version=$(sed -n 's/^TX3_VERSION=//p' "$build/tx3_release.env")
name="tx3_setup-windows-x64-tests-$version"
msi="dist/tx3_setup-windows-x64-$version.msi"
if [ ! -f "$msi" ]; then
  echo "$msi is missing: scripts/build-windows.sh makes it" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
kit="$stage/$name"
mkdir -p "$kit/bin"
cp "$build/bin/tx3_setup.exe" "$build/bin/tx3_setup.com" "$build/bin/tx3_test_engine.dll" \
  "$build"/bin/tx3_*_tests.exe "$kit/bin/"
cp -r "$build/planted_engine" "$build/data" "$kit/"
cp "$msi" "$kit/"
# Windows' cmd.exe reads its scripts with CR LF line ends.
sed 's/\r*$/\r/' packaging/windows/run-tests.cmd >"$kit/run-tests.cmd"

# Nothing in the kit may need a DLL a Windows installation lacks.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|uxtheme|shlwapi|msvcrt|ntdll|uiautomationcore|tx3_test_engine)\.dll$'
shopt -s nocasematch
for file in "$kit"/bin/* "$kit"/planted_engine/*; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ {print $3}'); do
    if ! [[ "$dll" =~ $system_dlls ]]; then
      echo "${file#"$stage"/} needs $dll, which Windows does not provide" >&2
      exit 1
    fi
  done
done

rm -f "dist/$name.zip"
# -X: no Unix owners or extra time stamps, which Windows' own extractor does not use.
(cd "$stage" && zip -qrX "$OLDPWD/dist/$name.zip" "$name")
echo "Windows test kit: dist/$name.zip (unzip it anywhere on Windows, run run-tests.cmd)"
