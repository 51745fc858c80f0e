#!/usr/bin/env bash
# Builds the Windows programs with Debian's mingw-w64 cross toolchains and leaves, for each
# architecture (x64, x86):
#   dist/windows-<arch>/                    tx3_setup.exe and tx3_setup.com, with their debugging
#                                           sections (kept for crash analysis)
#   dist/tx3_setup-windows-<arch>-<version>.zip   both programs and the French LISEZMOI.txt, in a
#                                           folder of the same name
#   dist/tx3_setup-windows-<arch>-<version>.msi   the package deployment tools install
# The zip files and the MSI packages hold the programs without debugging sections.
#
# Signing (Authenticode, SHA-256, with osslsigncode): when TX3_SIGN_PKCS12 names a PKCS#12 file
# (certificate and private key) and TX3_SIGN_PASSWORD_FILE a file holding its password, every
# program and every MSI package is signed; TX3_SIGN_TIMESTAMP_URL, when set, names an RFC 3161
# time-stamping server whose timestamp keeps the signatures valid after the certificate expires.
# The password is only ever read from its file, never put on a command line or printed. Without
# them the files are left unsigned and one line says so.
#
# Installs what is missing. Both programs need nothing but Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  googletest zip qt6-base-dev qt6-qpa-plugins icoutils wixl osslsigncode

# The DLLs a Windows installation always has; anything else would have to be shipped.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|uxtheme|shlwapi|msvcrt|ntdll)\.dll$'
shopt -s nocasematch

signing=no
if [ -n "${TX3_SIGN_PKCS12:-}" ] || [ -n "${TX3_SIGN_PASSWORD_FILE:-}" ]; then
  for file in "${TX3_SIGN_PKCS12:-}" "${TX3_SIGN_PASSWORD_FILE:-}"; do
    if [ ! -r "$file" ]; then
      echo "Signing needs TX3_SIGN_PKCS12 and TX3_SIGN_PASSWORD_FILE to name readable files" \
        "(not '$file')" >&2
      exit 1
    fi
  done
  signing=yes
fi

# Signs FILE in place (through a new file, so that a failed signing leaves no half-signed file).
sign() {
  [ "$signing" = yes ] || return 0
  local timestamp=()
  [ -z "${TX3_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$TX3_SIGN_TIMESTAMP_URL")
  rm -f "$1.signed"
  if ! osslsigncode sign -pkcs12 "$TX3_SIGN_PKCS12" -readpass "$TX3_SIGN_PASSWORD_FILE" \
    -h sha256 -n "TX3_Setup" -i "https://www.tarvox.example/" "${timestamp[@]}" \
    -in "$1" -out "$1.signed" >/dev/null; then
    rm -f "$1.signed"
    echo "Signing $1 failed" >&2
    exit 1
  fi
  mv "$1.signed" "$1"
}

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
    sign "dist/windows-$arch/$program"
  done

  # The version and the MSI package's codes, as CMake derived them from the project's version.
  release_env="build/windows-$arch/tx3_release.env"
  version=$(sed -n 's/^TX3_VERSION=//p' "$release_env")
  name="tx3_setup-windows-$arch-$version"
  stage=$(mktemp -d)
  mkdir "$stage/$name"
  cp "build/windows-$arch/bin/tx3_setup.exe" "build/windows-$arch/bin/tx3_setup.com" \
    packaging/windows/LISEZMOI.txt "$stage/$name/"
  # The operators' copies without debugging sections (half the size), signed after stripping.
  "$triplet-strip" "$stage/$name/tx3_setup.exe" "$stage/$name/tx3_setup.com"
  sign "$stage/$name/tx3_setup.exe"
  sign "$stage/$name/tx3_setup.com"
  rm -f "dist/$name.zip"
  # -X: no Unix owners or extra time stamps, which Windows' own extractor does not use.
  (cd "$stage" && zip -qrX "$OLDPWD/dist/$name.zip" "$name")
  packaging/windows/make-msi.sh "$release_env" "$stage/$name" "dist/$name.msi"
  sign "dist/$name.msi"
  rm -rf "$stage"
done
# The Windows test kit: dist/tx3_setup-windows-x64-tests-<version>.zip.
scripts/make-test-kit.sh
echo "Windows programs: dist/windows-x64/ and dist/windows-x86/ (tx3_setup.exe, tx3_setup.com)"
echo "Zip files and MSI packages: dist/tx3_setup-windows-{x64,x86}-$version.{zip,msi}"
if [ "$signing" = yes ]; then
  echo "Signed with $TX3_SIGN_PKCS12"
else
  echo "Not signed: set TX3_SIGN_PKCS12 and TX3_SIGN_PASSWORD_FILE to sign the programs and packages"
fi
