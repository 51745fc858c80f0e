#!/bin/sh
# Runs orca_e2e.py: the screen reader Orca beside the Qt window, on an X server of its own
# (Xvfb) with a D-Bus session and its accessibility bus, as run_screen_reader_e2e.sh sets them.
# Exits 77 (skipped) when one of those tools, Orca or xdotool is not installed (xdotool does the
# window manager's part: Xvfb has none).
# Usage: run_orca_e2e.sh PATH/TO/tx3_setup
here=$(dirname "$0")
skip() {
  echo "skipped: $1 (install orca, xdotool, at-spi2-core, python3-pyatspi, dbus-x11 and xvfb)"
  exit 77
}
command -v orca >/dev/null || skip "orca is missing"
command -v xdotool >/dev/null || skip "xdotool is missing"
command -v xvfb-run >/dev/null || skip "xvfb-run is missing"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus launcher is missing"
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || skip "python3-pyatspi is missing"
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
exec "$here/../../../scripts/on-virtual-display.sh" \
  dbus-run-session -- "$python" -B "$here/orca_e2e.py" "$1"
