#!/usr/bin/env bash
# Checks the platform seam: every header outside the Linux emulation and the Qt view compiles
# for Windows with <windows.h> included first, so no name collides with its macros.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=x86_64-w64-mingw32-g++-posix
failed=0
# One translation unit: <windows.h>, then every header. A macro of <windows.h> that collides with
# a name breaks its compilation wherever the header comes; the compiler names the header.
headers=$(find src -name '*.h' ! -path 'src/platform/posix/*' ! -path 'src/app/qt/*' | sort)
if ! {
  echo '#include <windows.h>'
  printf '#include "%s"\n' $headers
} | "$compiler" -std=c++20 -fsyntax-only -Isrc -x c++ -; then
  echo "does not compile with <windows.h> first: one of the headers above"
  failed=1
fi
# Outside the platform and the entry point, no code asks which operating system it runs on.
if grep -rnE '^\s*#\s*(if|ifdef|ifndef|elif).*(_WIN32|_WIN64|__linux__|__unix__|__APPLE__)' src \
    --include='*.h' --include='*.cpp' | grep -vE '^src/platform/|^src/app/main\.cpp:'; then
  echo "operating-system test outside src/platform"
  failed=1
fi
if ((failed)); then exit 1; fi
echo "seam check: $(wc -w <<<"$headers") headers compile with <windows.h>; no OS test outside src/platform"
