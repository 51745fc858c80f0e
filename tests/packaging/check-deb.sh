#!/usr/bin/env bash
# Builds the Debian package from the release build (scripts/package.sh, which also runs lintian;
# after scripts/test.sh nothing is compiled again) and checks what it holds, unpacked into a
# scratch root: the program runs, the desktop entry is valid, the icons are PNGs of their folder's
# size, the manual page renders without warnings and documents every option of --help, and the
# package depends on the Qt 6 libraries.
# Usage: tests/packaging/check-deb.sh   (exit status 0 when every check passes)
set -euo pipefail
cd "$(dirname "$0")/../.."

# The checkers, so that none of the checks below is skipped for want of its tool.
scripts/install-deps.sh lintian desktop-file-utils man-db groff-base
scripts/package.sh
version=$(sed -n 's/^project(TX3_Setup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls "dist/tx3-setup_${version}_"*.deb)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# The program, from the scratch root. Its version prints the revision with leading zeros
# (2026.1208.0001): compare the numbers.
program=$root/usr/bin/tx3_setup
if shown=$("$program" --version); then
  IFS=. read -r -a want <<<"$version"
  IFS=. read -r -a got <<<"${shown##* }"
  if ((${#got[@]} == 3 && 10#${got[0]} == want[0] && 10#${got[1]} == want[1] &&
    10#${got[2]} == want[2])); then
    pass "tx3_setup --version: $shown"
  else
    fail "tx3_setup --version says '$shown', the package is $version"
  fi
else
  fail "tx3_setup --version did not run"
fi
# The window is a module the program loads from the package's module folder: started without a
# display server it must still be running after a moment, not stop at once for want of it.
if QT_QPA_PLATFORM=offscreen timeout 3 "$program" >/dev/null 2>&1 || [ $? -ne 124 ]; then
  fail "the window did not open from the installed program"
else
  pass "the window opens (its module loads)"
fi

# The desktop entry.
desktop=$root/usr/share/applications/tx3_setup.desktop
if [ -f "$desktop" ]; then
  if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then
    pass "desktop entry validates"
  else
    fail "desktop-file-validate: $out"
  fi
  for line in Type=Application Exec=tx3_setup Icon=tx3_setup Terminal=false; do
    grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
  done
  for key in Name Comment Categories; do
    grep -q "^$key=." "$desktop" || fail "desktop entry lacks $key"
  done
else
  fail "no $desktop"
fi

# The icons: a PNG signature, then the IHDR chunk's width and height (big-endian, bytes 16-23).
for size in 16 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/tx3_setup.png
  if [ ! -f "$icon" ]; then
    fail "no $icon"
    continue
  fi
  read -r -a head <<<"$(od -An -tu1 -N24 "$icon" | tr '\n' ' ')"
  width=$(((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19]))
  height=$(((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23]))
  if [ "${head[*]:0:8}" = "137 80 78 71 13 10 26 10" ] && ((width == size && height == size)); then
    pass "icon ${size}x${size}"
  else
    fail "$icon is not a ${size}x${size} PNG (${width}x${height})"
  fi
done

# The manual page: compressed as Debian wants, no warning from man, every option of --help.
manual=$root/usr/share/man/man1/tx3_setup.1.gz
if [ -f "$manual" ]; then
  rendered=$root/manual.txt
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >"$rendered")
  if [ -z "$warnings" ] && [ -s "$rendered" ]; then
    pass "manual page renders without warnings"
  else
    fail "manual page: ${warnings:-empty output}"
  fi
  options=$("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
  undocumented=0
  for option in $options; do
    if ! grep -q -- "$option" "$rendered"; then
      fail "manual page does not document $option"
      undocumented=1
    fi
  done
  ((undocumented)) || pass "manual page documents every option of --help"
else
  fail "no $manual"
fi

# Debian's documentation files (package.sh checks that the changelog names the version).
for file in copyright changelog.gz; do
  if [ -f "$root/usr/share/doc/tx3-setup/$file" ]; then
    pass "usr/share/doc/tx3-setup/$file"
  else
    fail "no usr/share/doc/tx3-setup/$file"
  fi
done

# The dependencies dpkg-shlibdeps found.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
pass "Depends: $depends"

if ((failures)); then
  echo "$failures check(s) of $deb failed" >&2
  exit 1
fi
echo "All checks of $deb passed"
