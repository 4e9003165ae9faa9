#!/usr/bin/env bash
# Screenshots of the main windows under a real X server (Xvfb, 1280 x 900) with a window manager,
# driven by real key presses, at 100 % and at 200 % scaling: case input window, results of the
# case 4000, 100, 500, text search and help; at 100 % also with a dark and a high-contrast colour
# scheme (through qt6ct, where it is installed). Checks that every window lies wholly on the screen.
#   screenshots.sh PROGRAM OUTPUT_FOLDER
# Exits 77 (skipped) when Xvfb, openbox, xdotool, xwininfo or ImageMagick's import is missing.
set -u
program=$1
out=$2
for tool in Xvfb openbox xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing, skipped"; exit 77; }
done
mkdir -p "$out"
source "$(dirname "$0")/x-session.sh"
start_x_session shots
failures=0

keys() { xdotool key --delay 80 "$@"; sleep 0.8; }
shot() { import -display "$display" -window root "$out/$1.png" 2>/dev/null || { echo "no screenshot $1"; failures=1; }; }
# The named window's frame must lie within the 1280 x 900 screen.
onScreen() {
    local id geometry
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
    if [ -z "$id" ]; then echo "window '$1' is not shown"; failures=1; return; fi
    geometry=$(xwininfo -id "$id" -frame 2>/dev/null)
    local x y w h
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
    w=$(awk '/Width:/ {print $2}' <<<"$geometry")
    h=$(awk '/Height:/ {print $2}' <<<"$geometry")
    if ((x < 0 || y < 0 || x + w > 1280 || y + h > 900)); then
        echo "window '$1' at ${w}x${h}+${x}+${y} runs off the screen"
        failures=1
    fi
}

# Colour schemes as a desktop hands them to Qt through qt6ct: a dark one and a high-contrast one.
# The 21 colours follow QPalette's roles from WindowText to PlaceholderText.
scheme() { # scheme FILE ACTIVE-COLOURS DISABLED-TEXT
    local disabled
    disabled=$(awk -v grey="$3" 'BEGIN { FS = OFS = ", " } { $1 = $7 = $9 = grey; print }' <<<"$2")
    printf '[ColorScheme]\nactive_colors=%s\ninactive_colors=%s\ndisabled_colors=%s\n' "$2" "$2" "$disabled" >"$1"
}
scheme "$work/dark.conf" "#eeeeee, #353535, #505050, #424242, #232323, #2c2c2c, #eeeeee, #ffffff, #eeeeee, \
#2a2a2a, #353535, #141414, #2a82da, #000000, #56a8f5, #b48ef0, #303030, #000000, #3f3f36, #ffffff, #9a9a9a" "#808080"
scheme "$work/contrast.conf" "#ffffff, #000000, #ffffff, #c0c0c0, #808080, #a0a0a0, #ffffff, #ffff00, #ffffff, \
#000000, #000000, #ffffff, #1aebff, #000000, #ffff00, #ff80ff, #101010, #000000, #000000, #ffffff, #c0c0c0" "#a0a0a0"
themed() { # themed SCHEME: the next run with that colour scheme and the Fusion style
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    printf '[Appearance]\nstyle=Fusion\ncustom_palette=true\ncolor_scheme_path=%s\n' "$work/$1.conf" \
        >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
    export QT_QPA_PLATFORMTHEME=qt6ct
}

run() { # run SCALE SUFFIX
    # The built-in repertory, whose figures the case above is made for, in a practice folder of
    # its own, so that the first start asks nothing.
    printf '[General]\nStartverz%%F6gerung=0\nFragenBeimBeenden=0\nRepertorium=eingebaut\nPraxisordner=%s\n' \
        "$work/cwd" >"$XDG_CONFIG_HOME/Kesto/OrvandWCE.conf"
    (cd "$work/cwd" && QT_SCALE_FACTOR=$1 exec "$program" >"$work/app$2.log" 2>&1) &
    local app=$!
    pids+=($app)
    for _ in $(seq 100); do xdotool search --onlyvisible --name "Telvarin" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
    for number in 4000 100 500; do
        xdotool type --delay 80 "$number"
        keys Return
    done
    shot "case-input$2"
    onScreen "Telvarin"
    keys alt+b
    shot "results$2"
    onScreen "Ergebnis"
    keys alt+z
    keys alt+t
    xdotool type --delay 80 "hea"
    sleep 1
    shot "text-search$2"
    onScreen "Textuelle"
    keys Escape
    keys alt+h
    sleep 1
    shot "help$2"
    onScreen "Hilfe"
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
}

run 1 ""
run 2 "-200"
if ls /usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so >/dev/null 2>&1; then
    themed dark
    run 1 "-dark"
    themed contrast
    run 1 "-contrast"
else
    echo "screenshots: qt6ct is missing, no dark and high-contrast screenshots"
fi
exit $failures
