#!/bin/sh
# Runs a command on a display of its own (Xvfb, 1280x1024, 24 bits), as the window tests need.
# -noreset: by default the server resets when its last client leaves, and a client connecting
# during the reset is refused; the accessibility services connect and leave while the program
# under test starts, so without it the program sometimes finds no display.
# Usage: scripts/on-virtual-display.sh COMMAND [ARG...]
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
