#!/usr/bin/env bash
# Installs what is missing, builds under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test: the Windows programs' tests under wine64 first, then the Linux ones, then
# each fuzz target for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset sanitize
cmake --build --preset sanitize
scripts/check-seam.sh
scripts/test-windows.sh
tests/packaging/check-deb.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset sanitize -j "$(nproc)"
scripts/fuzz-smoke.sh 30
