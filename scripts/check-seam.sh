#!/usr/bin/env bash
# Checks the platform seam: every header outside the Linux emulation and the Qt view compiles
# for Windows with <windows.h> included first, so no name collides with its macros.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=x86_64-w64-mingw32-g++-posix
failed=0
scratch=$(mktemp -d /tmp/tx3-seam.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# <windows.h> precompiled once: each header's check then starts from it instead of parsing it
# again, and the checks run side by side, one per processor.
echo '#include <windows.h>' >"$scratch/windows_first.h"
"$compiler" -std=c++20 -x c++-header "$scratch/windows_first.h" -o "$scratch/windows_first.h.gch"
export compiler scratch
if ! find src -name '*.h' ! -path 'src/platform/posix/*' ! -path 'src/app/qt/*' | sort |
    xargs -P "$(nproc)" -n 1 bash -c '
      if ! errors=$(echo "#include \"$1\"" | "$compiler" -std=c++20 -Winvalid-pch \
          -include "$scratch/windows_first.h" -fsyntax-only -Isrc -x c++ - 2>&1); then
        printf "does not compile with <windows.h>: %s\n%s\n" "$1" "$errors"
        exit 1
      fi' check-header; then
  failed=1
fi
# Outside the platform and the entry point, no code asks which operating system it runs on.
if grep -rnE '^\s*#\s*(if|ifdef|ifndef|elif).*(_WIN32|_WIN64|__linux__|__unix__|__APPLE__)' src \
    --include='*.h' --include='*.cpp' | grep -vE '^src/platform/|^src/app/main\.cpp:'; then
  echo "operating-system test outside src/platform"
  failed=1
fi
if ((failed)); then exit 1; fi
echo "seam check: every header compiles with <windows.h>; no OS test outside src/platform"
