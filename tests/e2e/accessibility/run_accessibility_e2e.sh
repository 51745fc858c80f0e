#!/bin/sh
# Runs one of the Python tests of this folder as a screen reader meets the window: an X server of
# its own (Xvfb), a D-Bus session with the accessibility bus, and the Qt window on xcb with
# accessibility on. Exits 77 (skipped) only when one of those tools, or a command the test names
# after --needs, is not installed.
# Usage: run_accessibility_e2e.sh [--needs COMMAND...] TEST.py PATH/TO/tx3_setup
here=$(dirname "$0")
needs=
if [ "$1" = --needs ]; then
  shift
  while [ $# -gt 2 ]; do needs="$needs $1"; shift; done
fi
skip() {
  echo "skipped: $1 (install$needs at-spi2-core, python3-pyatspi, dbus-x11 and xvfb)"
  exit 77
}
for command in $needs xvfb-run dbus-run-session; do
  command -v "$command" >/dev/null || skip "$command is missing"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus launcher is missing"
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || skip "python3-pyatspi is missing"
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The X server first: the session bus and the accessibility services it starts (the registry
# sends the keys through X) must know the display.
exec "$here/../../../scripts/on-virtual-display.sh" \
  dbus-run-session -- "$python" -B "$here/$1" "$2"
