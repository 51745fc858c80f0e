#!/usr/bin/env bash
# Signs Windows programs and MSI packages in place (Authenticode, SHA-256, with osslsigncode).
# Usage: scripts/sign-windows.sh FILE...     signs each FILE
#        scripts/sign-windows.sh --check     says whether the environment asks for signing:
#                                            prints "yes" or "no", or stops (status 1) with what
#                                            is missing
# scripts/build-windows.sh runs it on every program and package it makes.
#
# The key, one of:
#   TX3_SIGN_PKCS12 (a PKCS#12 file: certificate and private key) with TX3_SIGN_PASSWORD_FILE
#     (a file holding its password);
#   a token or an HSM: TX3_SIGN_PKCS11_MODULE (the token's PKCS#11 library), TX3_SIGN_PKCS11_CERT
#     and TX3_SIGN_PKCS11_KEY (PKCS#11 URIs, e.g. "pkcs11:token=Radio;object=signer"), through
#     osslsigncode's PKCS#11 support (OpenSSL's pkcs11 engine: Debian's libengine-pkcs11-openssl).
#     The PIN comes from TX3_SIGN_PIN_FILE, or from the key's URI ("pin-source=file:/path", a file
#     without a final line break); the token may also ask for none.
# The timestamp: TX3_SIGN_TIMESTAMP_URL names an RFC 3161 time-stamping server; its timestamp
#   keeps the signatures valid after the certificate expires. A signature without one needs
#   TX3_SIGN_NO_TIMESTAMP=1, said explicitly: without either, signing stops before anything is
#   built.
# The publisher's address shown with the signature: TX3_SIGN_URL (none when unset).
# Passwords and PINs are only ever read from their files, never put on a command line or printed.
set -euo pipefail

fail() {
  echo "sign-windows.sh: $*" >&2
  exit 1
}

# Which key, if any, and whether the settings hold together.
pkcs12_vars="${TX3_SIGN_PKCS12:-}${TX3_SIGN_PASSWORD_FILE:-}"
pkcs11_vars="${TX3_SIGN_PKCS11_MODULE:-}${TX3_SIGN_PKCS11_CERT:-}${TX3_SIGN_PKCS11_KEY:-}"
key=()
if [ -n "$pkcs12_vars" ] && [ -n "$pkcs11_vars" ]; then
  fail "set either TX3_SIGN_PKCS12 or TX3_SIGN_PKCS11_*, not both"
elif [ -n "$pkcs12_vars" ]; then
  for file in "${TX3_SIGN_PKCS12:-}" "${TX3_SIGN_PASSWORD_FILE:-}"; do
    [ -r "$file" ] ||
      fail "signing needs TX3_SIGN_PKCS12 and TX3_SIGN_PASSWORD_FILE to name readable files (not '$file')"
  done
  key=(-pkcs12 "$TX3_SIGN_PKCS12" -readpass "$TX3_SIGN_PASSWORD_FILE")
elif [ -n "$pkcs11_vars" ]; then
  if [ -z "${TX3_SIGN_PKCS11_CERT:-}" ] || [ -z "${TX3_SIGN_PKCS11_KEY:-}" ]; then
    fail "signing with a token needs TX3_SIGN_PKCS11_MODULE, TX3_SIGN_PKCS11_CERT and TX3_SIGN_PKCS11_KEY"
  fi
  case "$TX3_SIGN_PKCS11_CERT;$TX3_SIGN_PKCS11_KEY" in
    *pin-value=*) fail "a PIN in a PKCS#11 URI ends up on a command line: use TX3_SIGN_PIN_FILE or pin-source=file:..." ;;
  esac
  [ -r "${TX3_SIGN_PKCS11_MODULE:-}" ] ||
    fail "TX3_SIGN_PKCS11_MODULE must name the token's PKCS#11 library (not '${TX3_SIGN_PKCS11_MODULE:-}')"
  key=(-pkcs11module "$TX3_SIGN_PKCS11_MODULE" -pkcs11cert "$TX3_SIGN_PKCS11_CERT"
    -key "$TX3_SIGN_PKCS11_KEY")
  if [ -n "${TX3_SIGN_PIN_FILE:-}" ]; then
    [ -r "$TX3_SIGN_PIN_FILE" ] || fail "TX3_SIGN_PIN_FILE must name a readable file"
    key+=(-readpass "$TX3_SIGN_PIN_FILE")
  fi
fi

if ((${#key[@]})); then
  timestamp=()
  if [ -n "${TX3_SIGN_TIMESTAMP_URL:-}" ]; then
    timestamp=(-ts "$TX3_SIGN_TIMESTAMP_URL")
  elif [ "${TX3_SIGN_NO_TIMESTAMP:-}" != 1 ]; then
    fail "a signature needs a timestamp, or it stops being valid when the certificate expires:" \
      "set TX3_SIGN_TIMESTAMP_URL to an RFC 3161 time-stamping server (your certificate" \
      "authority's), or TX3_SIGN_NO_TIMESTAMP=1 to sign without one"
  fi
  publisher=()
  [ -z "${TX3_SIGN_URL:-}" ] || publisher=(-i "$TX3_SIGN_URL")
fi

if [ "${1:-}" = --check ]; then
  if ((${#key[@]})); then echo yes; else echo no; fi
  exit 0
fi
((${#key[@]})) || fail "nothing to sign with: set TX3_SIGN_PKCS12 or TX3_SIGN_PKCS11_*"

for file in "$@"; do
  # Through a new file, so that a failed signing leaves no half-signed file.
  rm -f "$file.signed"
  if ! log=$(osslsigncode sign "${key[@]}" -h sha256 -n "TX3_Setup" "${publisher[@]}" \
    "${timestamp[@]}" -in "$file" -out "$file.signed" 2>&1); then
    rm -f "$file.signed"
    printf '%s\n' "$log" >&2
    fail "signing $file failed"
  fi
  mv "$file.signed" "$file"
done
