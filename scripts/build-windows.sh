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
# Signing (Authenticode, SHA-256, scripts/sign-windows.sh): when the environment names a key
# (TX3_SIGN_PKCS12 with TX3_SIGN_PASSWORD_FILE, or a token's TX3_SIGN_PKCS11_MODULE,
# TX3_SIGN_PKCS11_CERT and TX3_SIGN_PKCS11_KEY), every program and every MSI package is signed,
# with a timestamp from TX3_SIGN_TIMESTAMP_URL unless TX3_SIGN_NO_TIMESTAMP=1; settings that do
# not hold together stop the build before anything is built. Without a key the files are left
# unsigned and one line says so.
#
# Installs what is missing. Both programs need nothing but Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

# Whether to sign ("yes" or "no"); signing settings that do not hold together stop here.
signing=$(scripts/sign-windows.sh --check)
sign() {
  [ "$signing" = no ] || scripts/sign-windows.sh "$@"
}

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  googletest zip qt6-base-dev qt6-qpa-plugins icoutils wixl osslsigncode libengine-pkcs11-openssl

# The DLLs a Windows installation always has; anything else would have to be shipped.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|uxtheme|shlwapi|msvcrt|ntdll)\.dll$'
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
  echo "Signed with ${TX3_SIGN_PKCS12:-the key on the token (TX3_SIGN_PKCS11_KEY)}"
else
  echo "Not signed: set TX3_SIGN_PKCS12 or TX3_SIGN_PKCS11_* to sign the programs and packages"
fi
