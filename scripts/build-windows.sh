#!/usr/bin/env bash
# Builds the Windows programs with Debian's mingw-w64 cross toolchains and leaves them in
# dist/windows-x64/ and dist/windows-x86/ (tx3_setup.exe and tx3_setup.com in each).
# Installs the toolchains when they are missing. Both programs need nothing but Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  googletest

# The DLLs a Windows installation always has; anything else would have to be shipped.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|uxtheme|shlwapi|msvcrt|ntdll)\.dll$'
shopt -s nocasematch

for arch in x64 x86; do
  triplet=x86_64-w64-mingw32
  [ "$arch" = x86 ] && triplet=i686-w64-mingw32
  cmake --preset "windows-$arch" >/dev/null
  cmake --build --preset "windows-$arch" --target tx3_setup tx3_setup_console
  mkdir -p "dist/windows-$arch"
  for program in tx3_setup.exe tx3_setup.com; do
    cp "build/windows-$arch/bin/$program" "dist/windows-$arch/$program"
    "$triplet-objdump" -p "dist/windows-$arch/$program" | awk '/DLL Name:/ {print $3}' | while read -r dll; do
      if ! [[ "$dll" =~ $system_dlls ]]; then
        echo "dist/windows-$arch/$program needs $dll, which Windows does not provide" >&2
        exit 1
      fi
    done
  done
done
echo "Windows programs: dist/windows-x64/ and dist/windows-x86/ (tx3_setup.exe, tx3_setup.com)"
