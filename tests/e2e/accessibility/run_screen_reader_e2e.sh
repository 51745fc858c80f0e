#!/bin/sh
# Runs screen_reader_e2e.py as Orca would meet the window: an X server of its own (Xvfb), a D-Bus
# session with the accessibility bus, and the Qt window on xcb with accessibility on.
# Exits 77 (skipped) only when one of those tools is not installed.
# Usage: run_screen_reader_e2e.sh PATH/TO/tx3_setup
here=$(dirname "$0")
skip() { echo "skipped: $1 (install at-spi2-core, python3-pyatspi, dbus-x11 and xvfb)"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run is missing"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing"
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
  dbus-run-session -- "$python" "$here/screen_reader_e2e.py" "$1"
