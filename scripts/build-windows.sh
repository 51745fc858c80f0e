#!/usr/bin/env bash
# Builds the Windows programs with Debian's mingw-w64 cross toolchains and leaves them in
# dist/windows-x64/ and dist/windows-x86/ (tx3_setup.exe and tx3_setup.com in each), and the zip
# files handed to operators: dist/tx3_setup-windows-<arch>-<version>.zip (both programs and the
# French LISEZMOI.txt, in a folder of the same name).
# Installs the toolchains when they are missing. Both programs need nothing but Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  googletest zip

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

  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/windows-$arch/CMakeCache.txt")
  name="tx3_setup-windows-$arch-$version"
  stage=$(mktemp -d)
  mkdir "$stage/$name"
  cp "dist/windows-$arch/tx3_setup.exe" "dist/windows-$arch/tx3_setup.com" \
    packaging/windows/LISEZMOI.txt "$stage/$name/"
  # The operators' copies without debugging sections (half the size); dist/windows-<arch>/ keeps
  # them for crash analysis.
  "$triplet-strip" "$stage/$name/tx3_setup.exe" "$stage/$name/tx3_setup.com"
  rm -f "dist/$name.zip"
  # -X: no Unix owners or extra time stamps, which Windows' own extractor does not use.
  (cd "$stage" && zip -qrX "$OLDPWD/dist/$name.zip" "$name")
  rm -rf "$stage"
done
echo "Windows programs: dist/windows-x64/ and dist/windows-x86/ (tx3_setup.exe, tx3_setup.com)"
echo "Zip files: dist/tx3_setup-windows-x64-*.zip and dist/tx3_setup-windows-x86-*.zip"
