#!/usr/bin/env bash
# Installs what is missing, builds under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset sanitize
cmake --build --preset sanitize
scripts/check-seam.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset sanitize -j "$(nproc)"
