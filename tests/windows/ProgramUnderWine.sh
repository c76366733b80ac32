#!/usr/bin/env bash
# The windows' program under wine, on Windows' own platform inside Xvfb, used as a technician
# would on the simulated instrument: the main window appears, the instrument's channel plans are
# read, the loggers are read and a TV logger opens in its viewer with its graph, and the program
# quits when its window is asked to close. Screenshots of each step go to OUT (look at them).
# DATA is the folder (a Linux path) where the program keeps its copies of the plans it read, or
# a list of such folders separated by ':' (a program folder, when writable, else the user's).
#   bash ProgramUnderWine.sh 'C:\path\to\veltra52.exe' OUT DATA
# Runs in the wine prefix of $WINEPREFIX. Xvfb has no window manager: the windows have no frames
# and stand where the program puts them. Under wine, Qt's default (GDI) font engine gets the line
# edits' text metrics wrong and draws their text above the box, out of sight; Qt's FreeType
# engine, chosen with the platform's own option, draws them as Windows does.
set -uo pipefail
program="$1"
out="$2"
data="$3"
mkdir -p "$out"
touch "$out/started"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Wine's processes of an earlier run hold on to their display: a fresh start on this one.
wineserver -k 2>/dev/null
wineserver -w
display=:$((50 + RANDOM % 200))
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
trap 'wineserver -k 2>/dev/null; kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# The window whose title is exactly TITLE, waited for up to SECONDS.
find_window() {
    local title="$1" seconds="$2" id
    for _ in $(seq $((seconds * 4))); do
        id="$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1)"
        [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.25
    done
    return 1
}
shot() { import -window root "$out/$1.png"; }
# Clicks at X,Y of the main window's client area (below its menu bar).
click() {
    xdotool mousemove "$((left + $1))" "$((top + $2))" click ${3:+--repeat $3 --delay 80} 1
}

# Closes the boxes that an operation leaves open ("Finished."), with their OK button at the middle
# of their bottom edge.
close_boxes() {
    local id
    for id in $(xdotool search --onlyvisible --name '.+' 2>/dev/null); do
        [ "$id" = "$main" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -lt 700 ] || continue
        xdotool mousemove "$((X + WIDTH / 2))" "$((Y + HEIGHT - 27))" click 1
        sleep 0.5
    done
}

# A program of the windows subsystem still answers --version where its output goes.
version="$(wine "$program" --version 2>&1 | tr -d '\r')"
[ "$version" = "VELTRA-52 Software v1.21" ] || fail "--version said: $version"

wine "$program" --simulate -platform windows:fontengine=freetype >"$out/program.log" 2>&1 &
started=$!
# Started on the simulated instrument, which its title names.
main="$(find_window "Simulated instrument .* VELTRA-52 Software" 90)" || {
    shot failed-start
    echo "FAILED: the main window did not appear; $(cat "$out/program.log")"
    exit 1
}
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X
# The client area is 546 pixels high under the menu bar.
top=$((Y + HEIGHT - 546))
echo "the main window: ${WIDTH}x${HEIGHT} at $X,$Y"
shot main

# The channel plans tab's "Read equipment's channel plans": the demo's plans are listed, and
# copied into the data folder.
click 143 201
sleep 4
shot plans-read
close_boxes
shot plans
copied=""
IFS=: read -ra folders <<<"$data"
for folder in "${folders[@]}"; do
    [ "$folder/EUROP.temp" -nt "$out/started" ] && copied="$folder"
done
[ -n "$copied" ] || fail "reading the plans left no copy of EUROP in $data"

# The loggers tab, from the keyboard (Ctrl+Tab, the focus being on the page), the TV loggers
# (the last of the logger list's kinds), "Read loggers" and a double click on the first logger.
xdotool key ctrl+Tab
sleep 1
click 200 258
sleep 1
xdotool key End Return
sleep 1
click 143 297
sleep 4
close_boxes
shot loggers
click 390 243 2
sleep 3
if viewer="$(find_window "TV logger.*" 15 || find_window ".*[Ll]ogger.*" 5)"; then
    eval "$(xdotool getwindowgeometry --shell "$viewer")"
    echo "the viewer: ${WIDTH}x${HEIGHT} at $X,$Y"
else
    fail "no logger viewer opened"
fi
shot viewer

# Asked to close, as the system does at log-off: the program ends by itself, with status 0.
wine taskkill /im veltra52.exe >/dev/null 2>&1
for _ in $(seq 40); do
    kill -0 "$started" 2>/dev/null || break
    sleep 0.25
done
if kill -0 "$started" 2>/dev/null; then
    fail "the program did not quit when asked"
    shot failed-quit
    kill "$started"
else
    wait "$started" || fail "the program quit with status $?: $(cat "$out/program.log")"
fi
[ "$failures" -eq 0 ] && echo "the program starts, reads plans and loggers, shows a TV logger, quits"
exit "$failures"
