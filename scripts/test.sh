#!/usr/bin/env bash
# Installs what is missing, builds under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test: the Windows programs' tests under wine64 first, then the Windows release
# (signatures, resources, MSI install, upgrade and uninstall under wine64), the Debian package,
# the Linux tests, then each fuzz target for 30 seconds.
# Everything shipped or measured is built too, so that no target can break unnoticed: every
# target of the release preset (the benchmarks included) and of both Windows presets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset sanitize
cmake --build --preset sanitize
cmake --preset default >/dev/null
cmake --build --preset default
scripts/check-seam.sh
scripts/test-windows.sh
cmake --build --preset windows-x86
tests/packaging/check-windows-release.sh
tests/packaging/check-deb.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset sanitize -j "$(nproc)"
scripts/fuzz-smoke.sh 30
