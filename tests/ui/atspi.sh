#!/usr/bin/env bash
# Runs the program under a private D-Bus session with its accessibility bridge on, under Xvfb with a
# window manager, and lets atspi_tables.py read its tables through AT-SPI as a screen reader does.
#   atspi.sh PROGRAM SCRIPT
# Exits 77 (skipped) when Xvfb, openbox, xdotool, dbus-run-session, the AT-SPI bus or pyatspi is
# missing.
set -u
program=$(realpath "$1")
script=$(realpath "$2")
for tool in Xvfb openbox xdotool xwininfo dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "atspi: $tool is missing, skipped"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "atspi: at-spi2-core is missing, skipped"; exit 77; }
# Debian's own Python, which the python3-pyatspi package serves, whatever else is on the path.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "atspi: python3-pyatspi is missing, skipped"; exit 77; }

source "$(dirname "$0")/x-session.sh"
start_x_session atspi
printf '[General]\nStartverz%%F6gerung=0\nFragenBeimBeenden=0\nRepertorium=eingebaut\nPraxisordner=%s\n' \
    "$work/cwd" >"$XDG_CONFIG_HOME/Kesto/OrvandWCE.conf"

export PROGRAM=$program WORKDIR=$work/cwd LOG=$work/app.log QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
# The session bus starts the accessibility bus on demand; the reader starts the program on it once
# it listens.
dbus-run-session -- "$python" "$script"
status=$?
[ $status -ne 0 ] && { echo "-- program output:"; cat "$work/app.log"; }
exit $status
