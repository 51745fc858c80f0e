#!/usr/bin/env bash
# Checks the Windows release as an IT department receives it:
# - built without a certificate, the programs are unsigned and one line says so;
# - built with a throw-away certificate (openssl), every program (dist/windows-<arch>/ and the zip
#   files) and both MSI packages carry a valid SHA-256 Authenticode signature of that
#   certificate, and the password was on no command line and in no output;
# - both programs of both architectures hold the icon group (16 to 256 pixels) and a version
#   resource whose FileVersion and ProductVersion are what the installed tx3_setup.com --version
#   prints, and whose fixed file version holds the same numbers;
# - under wine64, in a new prefix: msiexec /i of the x64 package with /qn installs both programs
#   in C:\Program Files\Tarvox\TX3_Setup\ with a Start-menu shortcut, the installed
#   tx3_setup.com runs, an older package is replaced by the newer one (one product left) and
#   msiexec /x with /qn leaves nothing of the package and every file the program made.
# Usage: tests/packaging/check-windows-release.sh   (exit status 0 when every check passes)
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh openssl osslsigncode icoutils msitools wixl wine64 unzip

work=$(mktemp -d /tmp/tx3-release.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
check() { # DESCRIPTION COMMAND...: passes when the command succeeds
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# --- Unsigned build --------------------------------------------------------------------------
output=$(scripts/build-windows.sh 2>&1) || {
  echo "$output" >&2
  fail "scripts/build-windows.sh without a certificate"
  exit 1
}
check "without a certificate, one line says the files are not signed" \
  test "$(grep -c '^Not signed' <<<"$output")" = 1
version=$(sed -n 's/^TX3_VERSION=//p' build/windows-x64/tx3_release.env)
for file in dist/windows-{x64,x86}/tx3_setup.{exe,com} dist/tx3_setup-windows-{x64,x86}-"$version".msi; do
  check "without a certificate, $file is unsigned" \
    grep -qE "No signature found|Unable to extract existing signature" \
      <(osslsigncode verify -in "$file" 2>&1)
done

# --- Signed build ------------------------------------------------------------------------------
password=$(openssl rand -hex 16)
printf '%s\n' "$password" >"$work/password"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=TX3 throw-away signer" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout "file:$work/password" \
  -out "$work/signer.p12"
# osslsigncode through a stand-in that records its command lines.
mkdir "$work/bin"
cat >"$work/bin/osslsigncode" <<SHIM
#!/bin/sh
printf '%s\n' "\$*" >>"$work/osslsigncode-calls"
exec /usr/bin/osslsigncode "\$@"
SHIM
chmod +x "$work/bin/osslsigncode"
output=$(PATH="$work/bin:$PATH" TX3_SIGN_PKCS12="$work/signer.p12" \
  TX3_SIGN_PASSWORD_FILE="$work/password" scripts/build-windows.sh 2>&1) || {
  echo "$output" >&2
  fail "scripts/build-windows.sh with a certificate"
  exit 1
}
check "the password is in no output" test "${output/$password/}" = "$output"
check "osslsigncode was called" test -s "$work/osslsigncode-calls"
check "the password is on no command line" \
  test "$(grep -c -- "$password" "$work/osslsigncode-calls")" = 0

programs=(dist/windows-{x64,x86}/tx3_setup.{exe,com})
for arch in x64 x86; do
  unzip -q "dist/tx3_setup-windows-$arch-$version.zip" -d "$work/zip"
  programs+=("$work/zip/tx3_setup-windows-$arch-$version/tx3_setup."{exe,com})
done
for file in "${programs[@]}" dist/tx3_setup-windows-{x64,x86}-"$version".msi; do
  if result=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1) &&
    grep -q "Signature verification: ok" <<<"$result" &&
    grep -q "Message digest algorithm *: SHA256" <<<"$result" &&
    grep -q "CN=TX3 throw-away signer" <<<"$result"; then
    pass "signed with the certificate, SHA-256: ${file#"$work/"}"
  else
    fail "signature of $file:"$'\n'"$result"
  fi
done

# --- Resources -----------------------------------------------------------------------------------
"$wine" wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
shown=$("$wine" dist/windows-x64/tx3_setup.com --version | tr -d '\r')
shown=${shown##* }
IFS=. read -r -a parts <<<"$shown"
fixed="$((10#${parts[0]})).$((10#${parts[1]})).$((10#${parts[2]})).0"
check "tx3_setup.com --version prints a version ($shown)" test "${#parts[@]}" = 3
for program in "${programs[@]}"; do
  name=${program#"$work/"}
  fields=$(tests/packaging/version_resource.py "$program") || {
    fail "$name: no version resource"
    continue
  }
  for want in "FixedFileVersion=$fixed" "FileVersion=$shown" "ProductVersion=$shown" \
    "OriginalFilename=$(basename "$program")" "InternalName=tx3_setup" "ProductName=TX3_Setup"; do
    grep -qxF "$want" <<<"$fields" || fail "$name: the version resource lacks $want"
  done
  for key in FileDescription LegalCopyright CompanyName; do
    grep -q "^$key=." <<<"$fields" || fail "$name: the version resource lacks $key"
  done
  rm -rf "$work/icons" && mkdir "$work/icons"
  wrestool --extract --type=group_icon --output="$work/icons" "$program"
  sizes=$(icotool --list "$work"/icons/*.ico 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' |
    sort -n | tr '\n' ' ')
  check "$name: version resource and icon group ($sizes)" \
    test "$sizes" = "16 20 24 32 40 48 64 256 "
done

# --- The MSI packages ----------------------------------------------------------------------------
property() { # PACKAGE NAME
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v k="$2" '$1 == k {print $2}'
}
x64=dist/tx3_setup-windows-x64-$version.msi
x86=dist/tx3_setup-windows-x86-$version.msi
check "one upgrade code for both architectures" \
  test "$(property "$x64" UpgradeCode)" = "$(property "$x86" UpgradeCode)"
check "a product code for each architecture" \
  test "$(property "$x64" ProductCode)" != "$(property "$x86" ProductCode)"
check "the x86 package installs into the 32-bit Program Files" \
  grep -q $'^TarvoxFolder\tProgramFilesFolder\t' <(msiinfo export "$x86" Directory)
check "Add/Remove Programs shows the program's icon" \
  test "$(property "$x64" ARPPRODUCTICON)" = tx3_setup.ico
check "the Start-menu shortcut has the program's icon" \
  grep -q $'^StartMenuShortcut\tProgramMenuFolder\t.*\ttx3_setup.ico\t' \
  <(msiinfo export "$x64" Shortcut | tr -d '\r')
check "the packages hold no custom action" \
  test "$(msiinfo export "$x64" CustomAction | wc -l)" = 3

# An older package of the same programs: the same upgrade code, an earlier version.
IFS=. read -r -a msi <<<"$(property "$x64" ProductVersion)"
older=$work/older.msi
TX3_MSI_VERSION="$((msi[0] - 1)).${msi[1]}.${msi[2]}" TX3_VERSION_TEXT="older" \
  TX3_MSI_PRODUCT_CODE=0E0D7E57-0000-4000-8000-000000000001 \
  packaging/windows/make-msi.sh build/windows-x64/tx3_release.env dist/windows-x64 "$older"

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Tarvox/TX3_Setup"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
products() { "$wine" reg query "$uninstall" 2>/dev/null | tr -d '\r' | grep -c -e "$1" || true; }
windows_path() { local path; path=$(realpath "$1") && echo "Z:${path//\//\\}"; }
# Wine files a per-machine Start-menu entry in the user's menu; Windows in ProgramData's.
shortcuts() { find "$drive_c" -path '*/Start Menu/Programs/TX3_Setup.lnk'; }

check "msiexec /i of the older package" "$wine" msiexec /i "$(windows_path "$older")" /qn
check "the older package is installed" test "$(products 0E0D7E57-0000-4000-8000-000000000001)" = 1
check "msiexec /i of the package (an upgrade)" "$wine" msiexec /i "$(windows_path "$x64")" /qn
check "one product left after the upgrade" \
  test "$(products 0E0D7E57-0000-4000-8000-000000000001)/$(products "$(property "$x64" ProductCode)")" = 0/1
check "both programs in C:\\Program Files\\Tarvox\\TX3_Setup" \
  test -f "$folder/tx3_setup.exe" -a -f "$folder/tx3_setup.com"
check "a Start-menu shortcut to tx3_setup.exe" grep -qa 'tx3_setup.exe' "$(shortcuts)"
installed=$("$wine" 'C:\Program Files\Tarvox\TX3_Setup\tx3_setup.com' --version | tr -d '\r')
check "the installed tx3_setup.com --version runs ($installed)" test "${installed##* }" = "$shown"

# What the program itself makes (settings, answers, log) is none of the package's.
"$wine" 'C:\Program Files\Tarvox\TX3_Setup\tx3_setup.com' --batch --folder '4=C:\TX_Sons\' \
  --folder '5=C:\TX_Data\Sons\' --step 1 --step 2 --save-answers 'C:\poste.ini' >/dev/null || true
mapfile -t made < <(cd "$drive_c" &&
  find Brennic poste.ini users/*/AppData/Local/TX3_Setup -type f 2>/dev/null | sort)
check "the program made its files (${#made[@]})" test "${#made[@]}" -gt 1 -a -f "$drive_c/poste.ini"
before=$(cd "$drive_c" && sha256sum "${made[@]}")

check "msiexec /x of the package" "$wine" msiexec /x "$(windows_path "$x64")" /qn
check "no product left" test "$(products "$(property "$x64" ProductCode)")" = 0
check "no program folder left" test ! -e "$drive_c/Program Files/Tarvox"
check "no shortcut left" test -z "$(shortcuts)"
check "the program's own files are untouched" \
  test "$(cd "$drive_c" && sha256sum "${made[@]}")" = "$before"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "Windows release: every check passed"
