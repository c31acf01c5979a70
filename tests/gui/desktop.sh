#!/bin/sh
# The real program on the desktops people use, driven the way they drive it:
#   desktop.sh CASE TARVENIX EMULATOR SCREENCHECK OUTDIR PICS
#   restore  X11, openbox and no notification area: minimise, then restore
#            from the taskbar
set -eu
CASE=$1 TARVENIX=$2 EMU=$3 CHECK=$4 OUT=$5 PICS=$6
mkdir -p "$OUT"
TMP=$(mktemp -d)
PIDS=""
trap 'kill $PIDS 2>/dev/null || true; rm -rf "$TMP"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP

fail() {
    echo "FAIL: $*" >&2
    echo "--- program output:" >&2
    cat "$TMP/app.log" >&2 2>/dev/null || true
    exit 1
}

# Runs its arguments until they succeed, for at most ten seconds.
wait_for() {
    for _ in $(seq 100); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# An X display of the given size; the server picks a free number.
start_x() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -noreset 3>"$TMP/display" >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    wait_for test -s "$TMP/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$TMP/display")"
    export DISPLAY
}

start_openbox() {
    openbox >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "openbox did not start"
}

# The program, on no device so that no real one is touched.
start_app() {
    "$EMU" --no-device -- "$TARVENIX" "$@" >"$TMP/app.log" 2>&1 &
    APP=$!
    PIDS="$PIDS $APP"
}

# The program's window that the window manager shows.
shown_window() {
    timeout 10 xdotool search --sync --onlyvisible --class tarvenix | head -n 1
}

property() { # WINDOW NAME
    xprop -id "$1" "$2" 2>/dev/null
}

# The window shown again: not iconic, above the others, focused and on top of
# the stacking order.
restored() {
    property "$WIN" WM_STATE | grep -q "window state: Normal" &&
        property "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE &&
        ! property "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN &&
        [ "$(xdotool getactivewindow)" = "$WIN" ] &&
        [ $(($(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*[ #] //'))) = "$WIN" ]
}

at() { # WINDOW: its top-left corner as X,Y
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X,$Y"
}

is_at() { # WINDOW X,Y
    [ "$(at "$1")" = "$2" ]
}

case_restore() {
    start_x 1280x800
    start_openbox
    start_app
    WIN=$(shown_window)
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    # Dragging the background moves the window by the mouse's travel.
    xdotool mousemove $((X + 330)) $((Y + 120)) mousedown 1 \
        mousemove $((X + 350)) $((Y + 130)) mousemove $((X + 370)) $((Y + 150)) mouseup 1
    wait_for is_at "$WIN" "$((X + 40)),$((Y + 30))" ||
        fail "a drag by 40,30 from $X,$Y left the window at $(at "$WIN")"
    AT=$(at "$WIN")
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    xdotool mousemove $((X + 590)) $((Y + 20)) click 1
    wait_for sh -c "xprop -id $WIN WM_STATE | grep -q 'window state: Iconic'" ||
        fail "the minimise button did not minimise the window"
    property "$WIN" _NET_WM_WINDOW_TYPE | grep -q UTILITY &&
        fail "minimised as a tool window, which has no taskbar entry"
    # What a taskbar sends when its entry for the window is clicked.
    xdotool windowactivate "$WIN"
    wait_for restored || fail "the window did not come back normal, above, focused and on top: $(
        property "$WIN" WM_STATE | tr '\n' ' ') $(property "$WIN" _NET_WM_STATE)"
    [ "$(at "$WIN")" = "$AT" ] || fail "restored at $(at "$WIN"), minimised at $AT"
    echo "dragged to $AT, minimised and restored there, above the others and focused"
}

"case_$CASE"
