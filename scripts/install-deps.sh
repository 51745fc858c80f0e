#!/usr/bin/env bash
# Installs the Debian packages the project needs (or the packages named as arguments), only when
# one is missing.
set -euo pipefail

packages=("$@")
((${#packages[@]})) || packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  clang libclang-rt-14-dev
  xdg-utils
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
  wine64 xvfb xauth
  nlohmann-json3-dev
  python3-jsonschema python3-yaml
  dpkg-dev lintian desktop-file-utils man-db groff-base zip file
  icoutils wixl msitools osslsigncode openssl unzip
  libengine-pkcs11-openssl softhsm2 opensc
  at-spi2-core python3-pyatspi dbus-x11 orca xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
