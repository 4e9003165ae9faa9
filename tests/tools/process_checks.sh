#!/bin/sh
# What only a real process shows: exit codes after a write error on standard output, a FIFO given
# as a file, the program's arguments answered without a display, and its start without one.
# Usage: process_checks.sh VERSION TOOL [PROGRAM]
version=$1 tool=$2 program=${3:-}
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# expect CODE TEXT COMMAND...: the command exits with CODE and its output or errors contain TEXT.
expect() {
    code=$1 text=$2
    shift 2
    "$@" >"$work/out" 2>&1
    got=$?
    if [ "$got" -ne "$code" ] || ! grep -qF -- "$text" "$work/out"; then
        echo "FAILED: $* exited $got (expected $code with \"$text\"):"
        cat "$work/out"
        failures=$((failures + 1))
    fi
}

expect 0 "telvarin-repertory $version" "$tool" --version
expect 1 "Ausgabe" sh -c '"$0" check >/dev/full' "$tool"
mkfifo "$work/fifo"
expect 1 "FIFO" timeout 10 "$tool" check --file "$work/fifo"
expect 1 "FIFO" timeout 10 "$tool" build "$work/fifo" "$work/out.dat"
if [ -n "$program" ]; then
    expect 0 "telvarin $version" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version
    expect 0 "--version" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help
    expect 2 "Aufruf: telvarin" env -u DISPLAY "$program" -platform offscreen
    expect 1 "Ausgabe" sh -c '"$0" --version >/dev/full' "$program"
    expect 1 "keine grafische Anzeige" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
    expect 1 "Anzeige \":4711\" l" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE DISPLAY=:4711 \
        "$program"
fi
exit $failures
