#!/usr/bin/env bash
# Builds the Debian package of the Linux program into dist/ (tx3-setup_<version>_<arch>.deb) from
# the release preset's build (build/default, which has Debian's hardening flags: see
# cmake/DebianHardening.cmake), then checks it with lintian when lintian is installed: any error
# fails the script. After scripts/test.sh, which builds that preset, nothing is compiled again.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev for dpkg-shlibdeps and dpkg-buildflags; CPack finds the programs to scan with file.
scripts/install-deps.sh cmake ninja-build pkg-config ccache qt6-base-dev qt6-qpa-plugins libgl-dev \
  libbenchmark-dev nlohmann-json3-dev dpkg-dev file

build=build/default
cmake --preset default >/dev/null
# Everything of the preset (the benchmarks too): CPack installs after building "all".
cmake --build --preset default

# The changelog's latest entry must name the version being packaged (Debian reads it so).
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
logged=$(dpkg-parsechangelog -l packaging/changelog -S Version)
if [ "$logged" != "$version" ]; then
  echo "packaging/changelog: its latest entry is $logged, the program is $version;" \
    "add an entry for $version" >&2
  exit 1
fi

rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -B "$build/cpack" >/dev/null
debs=("$build"/cpack/*.deb)
mkdir -p dist
cp "${debs[@]}" dist/
deb="dist/$(basename "${debs[0]}")"
echo "Debian package: $deb"

if command -v lintian >/dev/null; then
  # lintian exits non-zero on errors (E:); warnings are shown without failing.
  lintian --fail-on error "$deb"
  echo "lintian: no error"
else
  echo "lintian is not installed: the package was not checked" >&2
fi
