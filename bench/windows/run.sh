#!/usr/bin/env bash
# Builds the Windows benchmark (profile engine against the system's profile functions) with the
# 64-bit cross toolchain and runs it under wine64 in a throw-away prefix.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64
cmake --preset windows-x64 -DTX3_BUILD_BENCH=ON >/dev/null
cmake --build --preset windows-x64 --target tx3_bench_profiles_vs_system
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
wine=wine64
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
WINEPREFIX=$prefix WINEDEBUG=-all "$wine" wineboot --init >/dev/null 2>&1 || true
WINEPREFIX=$prefix WINEDEBUG=-all "$wine" build/windows-x64/bin/tx3_bench_profiles_vs_system.exe
