#!/usr/bin/env bash
# Checks the Windows release as an IT department receives it:
# - built without a certificate, the programs are unsigned and one line says so;
# - a signing build without timestamp settings stops at once with a clear message;
# - built with a key on a token (SoftHSM) and a timestamp from a time-stamping authority made for
#   the check (tests/packaging/timestamp_authority.py, on 127.0.0.1), every program
#   (dist/windows-<arch>/ and the zip files) and both MSI packages carry a valid SHA-256
#   Authenticode signature of that certificate with the timestamp and the publisher's address,
#   and the PIN was on no command line and in no output;
# - signed by scripts/sign-windows.sh with a PKCS#12 file and TX3_SIGN_NO_TIMESTAMP=1, the files
#   verify without a timestamp, and the password was on no command line and in no output;
# - both programs of both architectures hold the icon group (16 to 256 pixels) and a version
#   resource whose FileVersion and ProductVersion are what the installed tx3_setup.com --version
#   prints, and whose fixed file version holds the same numbers;
# - under wine64, in a new prefix: msiexec /i of the x64 package with /qn installs both programs
#   in C:\Program Files\Tarvox\TX3_Setup\ with a Start-menu shortcut, records the folder and the
#   version under HKLM\SOFTWARE\Tarvox\TX3_Setup (64-bit view) and in the Add/Remove Programs
#   entry, the installed tx3_setup.com runs; an older package is replaced by the newer one, a
#   rebuilt package of the same version installs over it, the x86 package replaces the x64 one
#   and the x64 one the x86 one (one product left each time); an older package then stops with
#   status 1603 and leaves the installed one; msiexec /x with /qn leaves nothing of the package
#   and every file the program made.
# Usage: tests/packaging/check-windows-release.sh   (exit status 0 when every check passes)
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh openssl osslsigncode icoutils msitools wixl wine64 unzip softhsm2 opensc \
  libengine-pkcs11-openssl python3

work=$(mktemp -d /tmp/tx3-release.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
tsa_pid=
trap '[ -z "$tsa_pid" ] || kill "$tsa_pid" 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# Only the settings each scenario gives.
unset "${!TX3_SIGN_@}"
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
# Unsigned copies, for signing with scripts/sign-windows.sh alone.
mkdir "$work/unsigned"
cp dist/windows-x64/tx3_setup.com "dist/tx3_setup-windows-x64-$version.msi" "$work/unsigned/"

# --- Signing settings that do not hold together ---------------------------------------------
password=$(openssl rand -hex 16)
printf '%s\n' "$password" >"$work/password"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=TX3 throw-away signer" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout "file:$work/password" \
  -out "$work/signer.p12"
if output=$(TX3_SIGN_PKCS12="$work/signer.p12" TX3_SIGN_PASSWORD_FILE="$work/password" \
  TX3_SIGN_TIMESTAMP_URL='' TX3_SIGN_NO_TIMESTAMP='' scripts/build-windows.sh 2>&1); then
  fail "a signing build without timestamp settings went on"
else
  check "a signing build without timestamp settings stops, naming them" \
    grep -q "TX3_SIGN_TIMESTAMP_URL.*TX3_SIGN_NO_TIMESTAMP=1" <<<"${output//$'\n'/ }"
  check "... before building anything" test "$(grep -c -e Building -e Linking <<<"$output")" = 0
fi

# --- Signed build: a key on a token, a timestamp --------------------------------------------------
# The token: SoftHSM, in a configuration of the check's own, holding a key and its certificate.
export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' \
  "$work/tokens" >"$SOFTHSM2_CONF"
module=/usr/lib/softhsm/libsofthsm2.so
pin=$(openssl rand -hex 4)
printf '%s\n' "$pin" >"$work/pin"
softhsm2-util --init-token --free --label "TX3 radio" --so-pin "$(openssl rand -hex 4)" \
  --pin "$pin" >/dev/null
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=TX3 token signer" \
  -keyout "$work/token-key.pem" -out "$work/token-cert.pem" 2>/dev/null
openssl pkey -in "$work/token-key.pem" -outform DER -out "$work/token-key.der"
openssl x509 -in "$work/token-cert.pem" -outform DER -out "$work/token-cert.der"
for object in privkey:token-key.der cert:token-cert.der; do
  pkcs11-tool --module "$module" --token-label "TX3 radio" --login --pin "$pin" \
    --write-object "$work/${object#*:}" --type "${object%%:*}" --id 01 --label signer >/dev/null
done
rm "$work/token-key.pem" "$work/token-key.der"
# The time-stamping authority: its own certificate, for time stamping only.
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=TX3 test TSA" \
  -addext "extendedKeyUsage=critical,timeStamping" -addext "keyUsage=critical,digitalSignature" \
  -keyout "$work/tsa-key.pem" -out "$work/tsa-cert.pem" 2>/dev/null
tests/packaging/timestamp_authority.py "$work/tsa-cert.pem" "$work/tsa-key.pem" "$work/tsa-port" 900 &
tsa_pid=$!
for _ in $(seq 100); do [ -s "$work/tsa-port" ] && break; sleep 0.1; done
# osslsigncode through a stand-in that records its command lines.
mkdir "$work/bin"
cat >"$work/bin/osslsigncode" <<SHIM
#!/bin/sh
printf '%s\n' "\$*" >>"$work/osslsigncode-calls"
exec /usr/bin/osslsigncode "\$@"
SHIM
chmod +x "$work/bin/osslsigncode"
output=$(PATH="$work/bin:$PATH" TX3_SIGN_PKCS11_MODULE=$module \
  TX3_SIGN_PKCS11_CERT="pkcs11:token=TX3%20radio;object=signer;type=cert" \
  TX3_SIGN_PKCS11_KEY="pkcs11:token=TX3%20radio;object=signer;type=private" \
  TX3_SIGN_PIN_FILE="$work/pin" TX3_SIGN_URL="https://radio.example/postes" \
  TX3_SIGN_TIMESTAMP_URL="http://127.0.0.1:$(cat "$work/tsa-port")/" \
  scripts/build-windows.sh 2>&1) || {
  echo "$output" >&2
  fail "scripts/build-windows.sh with a key on a token"
  exit 1
}
check "the PIN is in no output" test "${output/$pin/}" = "$output"
check "osslsigncode was called" test -s "$work/osslsigncode-calls"
check "the PIN is on no command line" test "$(grep -c -- "$pin" "$work/osslsigncode-calls")" = 0

# verify FILE CERTIFICATE SUBJECT TIMESTAMP(yes/no) URL: the signature is valid, SHA-256, of the
# certificate, with the timestamp (or none) and the publisher's address (or none).
verify() {
  local result name=${1#"$work/"}
  if ! result=$(osslsigncode verify -CAfile "$2" -TSA-CAfile "$work/tsa-cert.pem" -in "$1" 2>&1) ||
    ! grep -q "Signature verification: ok" <<<"$result" ||
    ! grep -q "Message digest algorithm *: SHA256" <<<"$result" ||
    ! grep -qx $'\t*Subject: '"$3" <<<"$result"; then
    fail "signature of $name:"$'\n'"$result"
  elif [ "$4" = yes ] && ! grep -q "Timestamp Server Signature verification: ok" <<<"$result"; then
    fail "no valid timestamp on $name:"$'\n'"$result"
  elif [ "$4" = no ] && ! grep -q "Timestamp is not available" <<<"$result"; then
    fail "a timestamp on $name:"$'\n'"$result"
  elif [ -n "$5" ] && ! grep -qF "URL description: $5" <<<"$result"; then
    fail "no publisher's address on $name:"$'\n'"$result"
  elif [ -z "$5" ] && grep -q "URL description" <<<"$result"; then
    fail "a publisher's address on $name:"$'\n'"$result"
  else
    pass "signed by $3, SHA-256, timestamp: $4, address: ${5:-none}: $name"
  fi
}
programs=(dist/windows-{x64,x86}/tx3_setup.{exe,com})
for arch in x64 x86; do
  unzip -q "dist/tx3_setup-windows-$arch-$version.zip" -d "$work/zip"
  programs+=("$work/zip/tx3_setup-windows-$arch-$version/tx3_setup."{exe,com})
done
for file in "${programs[@]}" dist/tx3_setup-windows-{x64,x86}-"$version".msi; do
  verify "$file" "$work/token-cert.pem" "/CN=TX3 token signer" yes "https://radio.example/postes"
done
kill "$tsa_pid" 2>/dev/null || true
tsa_pid=

# --- A PKCS#12 file, no timestamp: scripts/sign-windows.sh on copies ---------------------------
mkdir "$work/p12"
cp "$work/unsigned/"* "$work/p12/"
: >"$work/osslsigncode-calls"
p12_files=("$work/p12/tx3_setup.com" "$work/p12/tx3_setup-windows-x64-$version.msi")
output=$(PATH="$work/bin:$PATH" TX3_SIGN_PKCS12="$work/signer.p12" \
  TX3_SIGN_PASSWORD_FILE="$work/password" TX3_SIGN_NO_TIMESTAMP=1 \
  scripts/sign-windows.sh "${p12_files[@]}" 2>&1) || fail "scripts/sign-windows.sh with a PKCS#12 file:"$'\n'"$output"
check "the password is in no output" test "${output/$password/}" = "$output"
check "the password is on no command line" \
  test "$(grep -c -- "$password" "$work/osslsigncode-calls")" = 0
for file in "${p12_files[@]}"; do
  verify "$file" "$work/cert.pem" "/CN=TX3 throw-away signer" no ""
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
# The only custom action sets ARPINSTALLLOCATION (type 51: a property, no program run).
check "the packages run no program of their own" \
  test "$(msiinfo export "$x64" CustomAction | tr -d '\r' | tail -n +4)" = \
  $'RecordInstallLocation\t51\tARPINSTALLLOCATION\t[INSTALLFOLDER]\t'
check "the refusal of a downgrade is in French" \
  grep -q $'\tUne version plus récente de TX3_Setup est déjà installée.$' \
  <(msiinfo export "$x64" LaunchCondition | tr -d '\r')

# An older package of the same programs: the same upgrade code, an earlier version.
IFS=. read -r -a msi <<<"$(property "$x64" ProductVersion)"
older=$work/older.msi
TX3_MSI_VERSION="$((msi[0] - 1)).${msi[1]}.${msi[2]}" TX3_VERSION_TEXT="older" \
  TX3_MSI_PRODUCT_CODE=0E0D7E57-0000-4000-8000-000000000001 \
  packaging/windows/make-msi.sh build/windows-x64/tx3_release.env dist/windows-x64 "$older"
# The same version made again from the same files, as a radio re-signing it would.
rebuilt=$work/rebuilt.msi
packaging/windows/make-msi.sh build/windows-x64/tx3_release.env \
  "$work/zip/tx3_setup-windows-x64-$version" "$rebuilt"
package_code() { msiinfo suminfo "$1" | sed -n 's/^Revision number (UUID): //p'; }
check "a rebuilt package has a package code and a product code of its own" \
  test "$(package_code "$rebuilt")/$(property "$rebuilt" ProductCode)" != \
  "$(package_code "$x64")/$(property "$x64" ProductCode)" -a -n "$(package_code "$rebuilt")"

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Tarvox/TX3_Setup"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# products CODE: how many Add/Remove Programs entries CODE has, in both registry views.
products() {
  { "$wine" reg query "$uninstall" /reg:64 && "$wine" reg query "$uninstall" /reg:32; } 2>/dev/null |
    tr -d '\r' | grep -c -e "$1" || true
}
# TX3_Setup's entries in Add/Remove Programs, whatever their product codes.
entries() {
  { "$wine" reg query "$uninstall" /s /reg:64 && "$wine" reg query "$uninstall" /s /reg:32; } \
    2>/dev/null | tr -d '\r' | grep -c 'DisplayName .*TX3_Setup' || true
}
# value VIEW KEY NAME: a registry value as reg query prints it, or nothing.
value() {
  "$wine" reg query "$2" /v "$3" "/reg:$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$3 *REG_SZ *//p"
}
windows_path() { local path; path=$(realpath "$1") && echo "Z:${path//\//\\}"; }
# msiexec ARGUMENTS...: prints msiexec's exit status. Wine hands Linux only its low byte
# (1603 would read 67): the status is read through cmd, as a deployment script reads it.
msiexec() {
  printf '@start /wait msiexec %s\r\n@echo status %%ERRORLEVEL%%\r\n' "$*" >"$work/msiexec.cmd"
  { "$wine" cmd /c "$(windows_path "$work/msiexec.cmd")" 2>/dev/null || true; } | tr -d '\r' |
    sed -n 's/^status //p'
}
# Wine files a per-machine Start-menu entry in the user's menu; Windows in ProgramData's.
shortcuts() { find "$drive_c" -path '*/Start Menu/Programs/TX3_Setup.lnk'; }
record='HKLM\SOFTWARE\Tarvox\TX3_Setup'
x64_code=$(property "$x64" ProductCode)
x86_code=$(property "$x86" ProductCode)

check "msiexec /i of the older package" test "$(msiexec /i "$(windows_path "$older")" /qn)" = 0
check "the older package is installed" test "$(products 0E0D7E57-0000-4000-8000-000000000001)" = 1
check "msiexec /i of the package (an upgrade)" test "$(msiexec /i "$(windows_path "$x64")" /qn)" = 0
check "one product left after the upgrade" \
  test "$(products 0E0D7E57-0000-4000-8000-000000000001)/$(products "$x64_code")/$(entries)" = 0/1/1
check "both programs in C:\\Program Files\\Tarvox\\TX3_Setup" \
  test -f "$folder/tx3_setup.exe" -a -f "$folder/tx3_setup.com"
check "a Start-menu shortcut to tx3_setup.exe" grep -qa 'tx3_setup.exe' "$(shortcuts)"
check "InstallDir in the 64-bit registry view" \
  test "$(value 64 "$record" InstallDir)" = 'C:\Program Files\Tarvox\TX3_Setup\'
check "Version in the 64-bit registry view ($(value 64 "$record" Version))" \
  test "$(value 64 "$record" Version)" = "$shown"
check "the Add/Remove Programs entry names the install folder" \
  test "$(value 64 "$uninstall\\$x64_code" InstallLocation)" = 'C:\Program Files\Tarvox\TX3_Setup\'
installed=$("$wine" 'C:\Program Files\Tarvox\TX3_Setup\tx3_setup.com' --version | tr -d '\r')
check "the installed tx3_setup.com --version runs ($installed)" test "${installed##* }" = "$shown"
# The documented ways to the program from a deployment script: the README's and LISEZMOI.txt's
# line reading InstallDir, and %ProgramW6432%.
documented=$(sed -n 's/^ *\(for \/f "tokens=2,\*".*InstallDir.*\)$/\1/p' README.md)
check "README and LISEZMOI.txt read InstallDir with the same line" \
  test -n "$documented" -a "$documented" = \
  "$(tr -d '\r' <packaging/windows/LISEZMOI.txt | sed -n 's/^ *\(for \/f "tokens=2,\*".*InstallDir.*\)$/\1/p')"
printf '@echo off\r\n%s\r\n"%%TX3_DIR%%tx3_setup.com" --version\r\n"%%ProgramW6432%%\\Tarvox\\TX3_Setup\\tx3_setup.com" --version\r\n' \
  "$documented" >"$work/documented.cmd"
found=$("$wine" cmd /c "$(windows_path "$work/documented.cmd")" | tr -d '\r' | tr '\n' ' ')
check "the documented commands find the program ($found)" \
  test "$found" = "tx3_setup $shown tx3_setup $shown "

check "a rebuilt package of the same version installs over it" \
  test "$(msiexec /i "$(windows_path "$rebuilt")" /qn)" = 0
check "one product left: the rebuilt one" \
  test "$(products "$x64_code")/$(products "$(property "$rebuilt" ProductCode)")/$(entries)" = 0/1/1
# The x86 package: wine64's msiexec installs it (its files only: no 32-bit program runs here).
check "the x86 package installs over the x64 one" \
  test "$(msiexec /i "$(windows_path "$x86")" /qn)" = 0
check "one product left: the x86 one" \
  test "$(products "$(property "$rebuilt" ProductCode)")/$(products "$x86_code")/$(entries)" = 0/1/1
check "the x86 programs in C:\\Program Files (x86)\\Tarvox\\TX3_Setup, no x64 folder left" \
  test -f "$drive_c/Program Files (x86)/Tarvox/TX3_Setup/tx3_setup.com" -a ! -e "$folder"
check "InstallDir in the 32-bit registry view, none in the 64-bit one" \
  test "$(value 32 "$record" InstallDir)|$(value 64 "$record" InstallDir)" = \
  'C:\Program Files (x86)\Tarvox\TX3_Setup\|'
check "the x64 package installs over the x86 one" \
  test "$(msiexec /i "$(windows_path "$x64")" /qn)" = 0
check "one product left: the x64 one" \
  test "$(products "$x86_code")/$(products "$x64_code")/$(entries)" = 0/1/1
check "no x86 folder left" test ! -e "$drive_c/Program Files (x86)/Tarvox"
status=$(msiexec /i "$(windows_path "$older")" /qn)
check "an older package stops with status 1603 ($status)" test "$status" = 1603
check "... and leaves the installed one" \
  test "$(products 0E0D7E57-0000-4000-8000-000000000001)/$(products "$x64_code")/$(value 64 "$record" Version)" = \
  "0/1/$shown" -a -f "$folder/tx3_setup.exe"

# What the program itself makes (settings, answers, log) is none of the package's.
"$wine" 'C:\Program Files\Tarvox\TX3_Setup\tx3_setup.com' --batch --folder '4=C:\TX_Sons\' \
  --folder '5=C:\TX_Data\Sons\' --step 1 --step 2 --save-answers 'C:\poste.ini' >/dev/null || true
mapfile -t made < <(cd "$drive_c" &&
  find Brennic poste.ini users/*/AppData/Local/TX3_Setup -type f 2>/dev/null | sort)
check "the program made its files (${#made[@]})" test "${#made[@]}" -gt 1 -a -f "$drive_c/poste.ini"
before=$(cd "$drive_c" && sha256sum "${made[@]}")

check "msiexec /x of the package" test "$(msiexec /x "$(windows_path "$x64")" /qn)" = 0
check "no product left" test "$(products "$x64_code")/$(entries)" = 0/0
check "no registry record left" test -z "$(value 64 "$record" InstallDir)"
check "no program folder left" test ! -e "$drive_c/Program Files/Tarvox"
check "no shortcut left" test -z "$(shortcuts)"
check "the program's own files are untouched" \
  test "$(cd "$drive_c" && sha256sum "${made[@]}")" = "$before"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "Windows release: every check passed"
