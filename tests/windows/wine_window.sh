#!/bin/sh
# Tarvenix.exe under wine, on wine's virtual desktop in Xvfb, against the
# emulated pressure mouse: --version into a file and --help in a box when there
# is nowhere to write, start on the device, a warning and the save dialog
# above the window, a save, unplug and plug through WM_DEVICECHANGE, and the
# close button with Yes. Judged by screenshots, the window list that wintool
# reads, the saved file and the exit code.
#   wine_window.sh EMU EMUCTL PREFIX APP WINTOOL SCREENCHECK OUTDIR
set -eu
if [ "${1:-}" != --inside ]; then
    emu=$1
    export EMUCTL=$2 PREFIX=$3 APP=$4 WINTOOL=$5 CHECK=$6 WORK=$7
    rm -rf "$WORK" && mkdir -p "$WORK"
    # The wine desktop in the prefix is 1024x768; the screen is that size.
    D=$((90 + $$ % 500))
    while [ -e "/tmp/.X$D-lock" ]; do D=$((D + 1)); done
    Xvfb ":$D" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    export DISPLAY=":$D"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    status=0
    "$emu" --no-hangup -- sh "$0" --inside || status=$?
    exit "$status"
fi
. "$(dirname "$0")/wine_common.sh"
cd "$WORK"
start_wine

windows() { timeout 60 wine "$WINTOOL" | tr -d '\r'; }
# Input goes through X into wine's desktop, whose origin is the screen's.
click() { xdotool mousemove "$1" "$2" click 1; }
# The first visible window whose line (X Y W H topmost|normal tool|app TITLE) matches.
find_window() {
    for _ in $(seq 60); do
        line=$(windows | grep -m1 -E "$1" || true)
        [ -n "$line" ] && { printf '%s\n' "$line"; return 0; }
        sleep 0.25
    done
    fail "no window matching '$1'; windows: $(windows)"
}
# Waits until no window matches $1: a click made while a box is still closing is lost.
wait_gone() {
    for _ in $(seq 60); do
        windows | grep -q -E "$1" || return 0
        sleep 0.25
    done
    fail "'$1' is still open: $(windows)"
}
# The main window, as wintool lists it: its size is the background picture's.
MAIN=' 656 544 '
# Window lines are in z-order, topmost first: the window matching $1 must be
# listed before the main window.
check_above_main() {
    list=$(windows)
    above=$(printf '%s\n' "$list" | grep -n -m1 -E "$1" | cut -d: -f1)
    main=$(printf '%s\n' "$list" | grep -n -m1 -e "$MAIN" | cut -d: -f1)
    [ -n "$above" ] && [ -n "$main" ] && [ "$above" -lt "$main" ] ||
        fail "'$1' is not above the main window: $list"
}
shot() { "$CHECK" grab "$1"; }
# Polls the indicator until it shows what $1 says (connected or disconnected).
wait_indicator() {
    for _ in $(seq 40); do
        shot indicator.png
        "$CHECK" "$1" indicator.png "$X" "$Y" >indicator.txt && return 0
        sleep 0.25
    done
    fail "the window does not show $1: $(cat indicator.txt)"
}

# --version writes where its output goes, and ends with 0, without a window.
timeout 60 wine "$APP/Tarvenix.exe" --version >version.out 2>&1 || fail "--version exited $?"
grep -q "^tarvenix [0-9.]*" version.out || fail "--version wrote: $(cat version.out)"
# Started as from the Explorer, with no console and no output, --help shows a box.
wine start /wait /unix "$APP/Tarvenix.exe" --help &
help=$!
find_window ' Tarvenix Manager$' >/dev/null
xdotool key Return
wait "$help" || fail "--help in a box exited $?"
wait_gone ' Tarvenix Manager$'

# The device first, so that the window starts on it (and not on its arrival).
cli list
expect_status 0
# qDebug reaches OutputDebugString, which wine 8 traces on its seh channel.
WINEDEBUG=-all,warn+seh timeout 300 wine "$APP/Tarvenix.exe" -platform windows --trace \
    >app.out 2>app.log &
app=$!
main=$(find_window "$MAIN")
# Always on top, and a tool window: no taskbar button on Windows. (wine's own
# taskbar shows one for it once it has been active; Windows does not.)
printf '%s\n' "$main" | grep -q "$MAIN""topmost tool " || fail "not a topmost tool window: $main"
set -- $main
X=$1 Y=$2
echo "window at $X,$Y: $main"
sleep 1
wait_indicator connected
cp indicator.png window.png
grep -q "Version: TVX-EMU 1.1.0" app.log || fail "no version line in the trace"

# Firmware Run without a file: a warning, which must show above the window.
click $((X + 530)) $((Y + 180))
box=$(find_window ' Warning$')
check_above_main ' Warning$'
set -- $box
shot warning.png
"$CHECK" above warning.png "$1" "$2" "$3" "$4"
xdotool key Return
wait_gone ' Warning$'

# Save: the file dialog above the window, then the file and the success box.
click $((X + 331)) $((Y + 440))
find_window ' Save data file$' >/dev/null
check_above_main ' Save data file$'
sleep 0.5
shot dialog.png
target=$(winepath -w "$WORK/saved.bin")
xdotool type --delay 20 "$target"
xdotool key Return
box=$(find_window ' Success$')
check_above_main ' Success$'
"$EMUCTL" dump 1 "$WORK/dump" >/dev/null || fail "emulator dump failed"
cmp saved.bin dump/data.bin || fail "the saved file differs from the device's data area"
xdotool key Return
wait_gone ' Success$'

# Unplug and plug: WM_DEVICECHANGE reaches the window's nativeEvent.
"$EMUCTL" unplug 1 >/dev/null
wait_indicator disconnected
cp indicator.png unplugged.png
"$EMUCTL" plug 1 >/dev/null
wait_indicator connected
[ "$(grep -c "Version: TVX-EMU 1.1.0" app.log)" -ge 2 ] || fail "no version after the plug"

# The close button, then Yes: the program ends with 0.
click $((X + 628)) $((Y + 20))
find_window ' Exit$' >/dev/null
check_above_main ' Exit$'
xdotool key y
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "Tarvenix.exe exited $status"
echo "ok: window; screenshots in $WORK"
