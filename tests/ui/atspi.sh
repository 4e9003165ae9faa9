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

work=$(mktemp -d /tmp/telvarin-atspi.XXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME/Kesto" "$XDG_RUNTIME_DIR" "$work/cwd"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
printf '[General]\nStartverz%%F6gerung=0\nFragenBeimBeenden=0\nRepertorium=eingebaut\nPraxisordner=%s\n' \
    "$work/cwd" >"$XDG_CONFIG_HOME/Kesto/OrvandWCE.conf"

# The server picks a free display number and reports it.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

export PROGRAM=$program WORKDIR=$work/cwd LOG=$work/app.log QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
# The session bus starts the accessibility bus on demand; the reader starts the program on it once
# it listens.
dbus-run-session -- "$python" "$script"
status=$?
[ $status -ne 0 ] && { echo "-- program output:"; cat "$work/app.log"; }
exit $status
