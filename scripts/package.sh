#!/usr/bin/env bash
# Builds the Debian package of the Linux program into dist/ (tx3-setup_<version>_<arch>.deb),
# from a release build of its own (build/package), then checks it with lintian when lintian is
# installed: any error fails the script.
# Usage: scripts/package.sh [BUILD_DIR]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/package}

# dpkg-dev for dpkg-shlibdeps and dpkg-buildflags; CPack finds the programs to scan with file.
scripts/install-deps.sh cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev \
  dpkg-dev file

# Debian's hardening flags (stack protector, fortified calls, read-only relocations, immediate
# binding), as a package built by dpkg-buildpackage would have them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTX3_BUILD_TESTS=OFF -DTX3_BUILD_BENCH=OFF -DTX3_BUILD_GUI=ON \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
# Without tests and benchmarks, "all" is what the package holds: the program, the icon exporter
# and its PNGs, the compressed manual page and changelog.
cmake --build "$build"

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
