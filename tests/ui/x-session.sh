# Sourced by the tests that run the program on a real X server.
#   start_x_session NAME
# makes a private home and work folder ($work, with $work/cwd), starts Xvfb at 1280 x 900 on a
# free display ($display, exported as DISPLAY) with openbox, and ends them with everything in
# $pids when the script exits.

end_x_session() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}

start_x_session() {
    work=$(mktemp -d "/tmp/telvarin-$1.XXXX")
    pids=()
    trap end_x_session EXIT
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
    mkdir -p "$XDG_CONFIG_HOME/Kesto" "$XDG_RUNTIME_DIR" "$work/cwd"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    # The server picks a free display number and reports it.
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    display=:$(head -n 1 "$work/display")
    export DISPLAY=$display
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
}
