#!/usr/bin/env bash
# Runs inside xvfb-run: starts the program on a data file, digitizes two landmarks with real
# pointer events, saves through the save dialog and quits with the keyboard.
# Arguments: program, data file, file to save to.
set -u
exe=$1 lmk=$2 out=$3

"$exe" "$lmk" &
pid=$!
finish() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit "$1"; }

win=$(timeout 30 xdotool search --sync --onlyvisible --name "Morvex2" | head -1)
[ -n "$win" ] || { echo "no main window" >&2; finish 2; }
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$win")"
# The image is centred in the view at 100 %; these points lie in its empty upper right part.
cx=$((X + WIDTH / 2 + 150)) cy=$((Y + HEIGHT / 2 - 110))
xdotool mousemove "$cx" "$cy"
sleep 0.3
xdotool click 3  # right click on empty space: digitizing mode
sleep 0.3
xdotool click 1
sleep 0.3
xdotool mousemove $((cx + 20)) $((cy + 20))
sleep 0.3
xdotool click 1
sleep 0.5
xdotool windowfocus --sync "$win"
xdotool key ctrl+s
dlg=$(timeout 20 xdotool search --sync --onlyvisible --name "Save data" | head -1)
[ -n "$dlg" ] || { echo "no save dialog" >&2; finish 3; }
sleep 1
xdotool windowfocus --sync "$dlg"
xdotool type --delay 15 "$out"
sleep 0.3
xdotool key Return
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.2; done
sleep 0.5
xdotool windowfocus --sync "$win"
xdotool key ctrl+q
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then echo "program did not quit" >&2; finish 4; fi
wait "$pid"
