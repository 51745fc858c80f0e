#!/usr/bin/env bash
# Checks the platform seam: every header outside the Linux emulation and the Qt view compiles
# for Windows with <windows.h> included first, so no name collides with its macros.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=x86_64-w64-mingw32-g++-posix
failed=0
while IFS= read -r header; do
  if ! echo "#include \"$header\"" |
      "$compiler" -std=c++20 -include windows.h -fsyntax-only -Isrc -x c++ - 2>/tmp/seam.$$; then
    echo "does not compile with <windows.h>: $header"
    cat /tmp/seam.$$
    failed=1
  fi
done < <(find src -name '*.h' ! -path 'src/platform/posix/*' ! -path 'src/app/qt/*' | sort)
rm -f /tmp/seam.$$
# Outside the platform and the entry point, no code asks which operating system it runs on.
if grep -rnE '^\s*#\s*(if|ifdef|ifndef|elif).*(_WIN32|_WIN64|__linux__|__unix__|__APPLE__)' src \
    --include='*.h' --include='*.cpp' | grep -vE '^src/platform/|^src/app/main\.cpp:'; then
  echo "operating-system test outside src/platform"
  failed=1
fi
if ((failed)); then exit 1; fi
echo "seam check: every header compiles with <windows.h>; no OS test outside src/platform"
