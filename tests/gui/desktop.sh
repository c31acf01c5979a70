#!/bin/sh
# The real program on the desktops people use, driven the way they drive it:
#   desktop.sh CASE TARVENIX EMULATOR SCREENCHECK OUTDIR PICS
#   restore    X11, openbox and no notification area: drag, minimise, then
#              restore from the taskbar
#   scale      X11 at 150 % and 200 %: exact sizes, the pictures drawn for 200 %
#   languages  the pictures and a warning in the system's language, in the saved
#              one, and in that of --lang
#   wayland    Weston's X11 backend in Xvfb, the program on Wayland: it shows,
#              its boxes and file dialog show and answer, the background moves
#              the window, minimise leaves it shown, close ends the program
#   dialogs    X11 with no window manager, then openbox: a message box and the
#              file dialog open centred over the window; no trace unless asked
#   options    no display at all: --help lists the window's options and Qt's,
#              --version names the version, and both end with 0
#   tray       X11, openbox and a notification area (trayer): a save that ends
#              while the window is hidden there is told by the tray icon, and
#              its box shows as well
# Pictures for the README, and the screen of a failed case, go to OUTDIR.
set -eu
CASE=$1 TARVENIX=$2 EMU=$3 CHECK=$4 OUT=$5 PICS=$6
mkdir -p "$OUT"
rm -f "$OUT/$CASE-failed.png"
TMP=$(mktemp -d)
PIDS=""
trap 'kill $PIDS 2>/dev/null || true; rm -rf "$TMP"' EXIT
trap 'exit 1' INT TERM HUP
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP QT_LOGGING_RULES
# The window's saved settings, such as its language, are the test's own.
export XDG_CONFIG_HOME="$TMP/config"

fail() {
    echo "FAIL: $*" >&2
    [ ! -f "$TMP/shot.png" ] || cp "$TMP/shot.png" "$OUT/$CASE-failed.png"
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

start_weston() {
    export XDG_RUNTIME_DIR="$TMP/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --socket=wayland-test --width=1280 --height=800 \
        --use-pixman --idle-time=0 --no-config >"$TMP/weston.log" 2>&1 &
    PIDS="$PIDS $!"
    wait_for test -S "$XDG_RUNTIME_DIR/wayland-test" || fail "weston did not start"
    timeout 10 xdotool search --sync --onlyvisible --classname "^weston" >/dev/null ||
        fail "weston did not show its output"
    # Weston's X11 backend moves its pointer by the X pointer's steps and stops
    # it at the edges: a step far beyond the top-left corner puts both there,
    # and from then on they point at the same pixel.
    xdotool mousemove 1279 799 mousemove 0 0
    # Absolute: the emulated device gives the program a runtime folder of its own.
    export WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/wayland-test"
}

# The program on no device, so that no real one is touched, or with
# "connected" on the emulated one. The arguments start it (env ...); APP_ARGS
# go to the program.
start_app() {
    if [ "${1:-}" = connected ]; then
        shift
        set -- --device "vid=1abe,pid=2202,version=TVX-EMU 1.1.0" \
            ${EMU_COMMAND:+--command "$EMU_COMMAND"} -- "$@"
    else
        set -- --no-device -- "$@"
    fi
    # shellcheck disable=SC2086
    "$EMU" "$@" "$TARVENIX" ${APP_ARGS:-} >"$TMP/app.log" 2>&1 &
    APP=$!
    PIDS="$PIDS $APP"
}

# Whether the program has ended (and waits to be reaped).
app_ended() {
    [ "$(cut -d' ' -f3 "/proc/$APP/stat" 2>/dev/null || echo gone)" = Z ] || ! kill -0 "$APP"
}

stop_app() {
    kill "$APP"
    wait "$APP" || true
}

# The program's window as the X11 window manager shows it.
shown_window() {
    timeout 10 xdotool search --sync --onlyvisible --class tarvenix | head -n 1
}

# Sets X, Y, WIDTH and HEIGHT to where the window is on the screen.
place() { # WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
}

placed_at() { # WINDOW X Y
    place "$1" && [ "$X,$Y" = "$2,$3" ]
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

# What the screen shows now.
shot() {
    QT_QPA_PLATFORM=xcb "$CHECK" grab "$TMP/shot.png"
}

# Whether the screen shows the picture's opaque pixels at X+DX,Y+DY.
shows() { # DX DY PICTURE
    shot && QT_QPA_PLATFORM=offscreen "$CHECK" shows "$TMP/shot.png" $((X + $1)) $((Y + $2)) \
        "$3" >/dev/null
}

# Keeps the window's part of the screen.
keep_window() { # NAME
    QT_QPA_PLATFORM=xcb "$CHECK" grab "$OUT/$1" "$X" "$Y" "$WIDTH" "$HEIGHT"
    echo "kept $OUT/$1"
}

# Sets X and Y to where the screen shows the program's window (Wayland tells
# no program where its windows are).
find_window() {
    shot || return 1
    FOUND=$(QT_QPA_PLATFORM=offscreen "$CHECK" find "$TMP/shot.png" "$PICS/background.png") ||
        return 1
    X=${FOUND% *} Y=${FOUND#* }
}

found_at() { # X Y
    find_window && [ "$X,$Y" = "$1,$2" ]
}

dialog_faces() {
    shot && QT_QPA_PLATFORM=offscreen "$CHECK" face "$TMP/shot.png"
}

dialog_shown() {
    [ "$(dialog_faces)" -gt 5000 ]
}

dialog_gone() {
    [ "$(dialog_faces)" -lt 1000 ]
}

# Moves the pointer on by a pixel; true once the window moves with it.
nudged() {
    xdotool mousemove_relative -- 1 0
    find_window && [ "$X,$Y" != "$FROM_X,$FROM_Y" ]
}

case_restore() {
    start_x 1280x800
    start_openbox
    start_app
    WIN=$(shown_window)
    place "$WIN"
    # Dragging the background moves the window by the mouse's travel.
    xdotool mousemove $((X + 330)) $((Y + 120)) mousedown 1 \
        mousemove $((X + 350)) $((Y + 130)) mousemove $((X + 370)) $((Y + 150)) mouseup 1
    FROM_X=$X FROM_Y=$Y
    wait_for placed_at "$WIN" $((FROM_X + 40)) $((FROM_Y + 30)) ||
        fail "a drag by 40,30 from $FROM_X,$FROM_Y left the window at $X,$Y"
    xdotool mousemove $((X + 590)) $((Y + 20)) click 1
    wait_for sh -c "xprop -id $WIN WM_STATE | grep -q 'window state: Iconic'" ||
        fail "the minimise button did not minimise the window"
    property "$WIN" _NET_WM_WINDOW_TYPE | grep -q UTILITY &&
        fail "minimised as a tool window, which has no taskbar entry"
    # What a taskbar sends when its entry for the window is clicked.
    AT_X=$X AT_Y=$Y
    xdotool windowactivate "$WIN"
    wait_for restored || fail "the window did not come back normal, above, focused and on top: $(
        property "$WIN" WM_STATE | tr '\n' ' ') $(property "$WIN" _NET_WM_STATE)"
    placed_at "$WIN" "$AT_X" "$AT_Y" || fail "restored at $X,$Y, minimised at $AT_X,$AT_Y"
    echo "dragged to $X,$Y, minimised and restored there, above the others and focused"
}

case_scale() {
    start_x 1600x1200
    start_openbox
    # 150 %, stated the way X11 desktops state it, gives exactly 1.5 times.
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t144')"
    start_app
    place "$(shown_window)"
    [ "${WIDTH}x$HEIGHT" = 984x816 ] || fail "at 150 % the window is ${WIDTH}x$HEIGHT, not 984x816"
    stop_app
    # 200 %: twice the size, drawn from the pictures made for it.
    xprop -root -remove RESOURCE_MANAGER
    start_app connected env QT_SCALE_FACTOR=2
    place "$(shown_window)"
    [ "${WIDTH}x$HEIGHT" = 1312x1088 ] || fail "at 200 % the window is ${WIDTH}x$HEIGHT"
    wait_for shows 130 310 "$PICS/btn_load_firmware@2x.png" ||
        fail "at 200 % the Load Firmware button does not show its sharp picture"
    wait_for shows 460 144 "$PICS/device_connected@2x.png" ||
        fail "at 200 % the connected indicator does not show its sharp picture"
    keep_window window-200.png
    echo "150 % and 200 % scale exactly, and 200 % shows the pictures drawn for it"
}

# Whether one of the program's windows has this title. Its UTF-8 name: the
# older WM_NAME follows the program's locale, which a machine may not have.
titled() { # TITLE
    for w in $(xdotool search --onlyvisible --class tarvenix); do
        LC_ALL=C.UTF-8 xprop -id "$w" _NET_WM_NAME | grep -qxF "_NET_WM_NAME(UTF8_STRING) = \"$1\"" &&
            return 0
    done
    return 1
}

# Run without a firmware file: the warning's title is in the window's language.
warns_in() { # TITLE
    xdotool mousemove $((X + 530)) $((Y + 180)) click 1
    wait_for titled "$1" || fail "no warning titled \"$1\" showed"
    xdotool key Return
    wait_for dialog_gone || fail "the warning did not answer Return"
}

case_languages() {
    start_x 1280x800
    start_openbox
    # The system's language...
    start_app connected env -u LANGUAGE LC_ALL=de_DE.UTF-8
    place "$(shown_window)"
    wait_for shows 65 155 "$PICS/de/btn_load_firmware.png" ||
        fail "in German the Load Firmware button does not show its German picture"
    warns_in Warnung
    stop_app
    # ...unless the window's menu saved another...
    mkdir -p "$XDG_CONFIG_HOME/tarvenix"
    printf '[window]\nlanguage=zh_CN\n' >"$XDG_CONFIG_HOME/tarvenix/tarvenix.conf"
    start_app connected env -u LANGUAGE LC_ALL=de_DE.UTF-8
    place "$(shown_window)"
    wait_for shows 65 155 "$PICS/zh_CN/btn_load_firmware.png" ||
        fail "saved as zh_CN, the Load Firmware button does not show its Chinese picture"
    wait_for shows 230 72 "$PICS/zh_CN/device_connected.png" ||
        fail "saved as zh_CN, the indicator does not show its Chinese picture"
    keep_window window-zh_CN.png
    warns_in 警告
    stop_app
    # ...and --lang over both.
    APP_ARGS="--lang de"
    start_app connected env -u LANGUAGE LC_ALL=zh_CN.UTF-8
    place "$(shown_window)"
    warns_in Warnung
    echo "pictures and messages follow the system's language, a saved one over it, --lang over both"
}

case_wayland() {
    start_x 1280x800
    start_weston
    # The trace, which this case reads, turned on as Qt's logging rules turn it on.
    start_app env -u DISPLAY QT_QPA_PLATFORM=wayland QT_LOGGING_RULES=tarvenix.trace.debug=true
    wait_for find_window || fail "the window did not show"
    echo "the window shows at $X,$Y"

    # Run without a firmware file warns.
    xdotool mousemove $((X + 530)) $((Y + 180)) click 1
    wait_for dialog_shown || fail "no message box showed"
    xdotool key Return
    wait_for dialog_gone || fail "the message box did not answer Return"
    echo "a message box showed and closed"

    # Load Firmware asks for a file.
    : >"$TMP/fw.bin"
    xdotool mousemove $((X + 159)) $((Y + 182)) click 1
    wait_for dialog_shown || fail "no file dialog showed"
    xdotool type --delay 20 "$TMP/fw.bin"
    xdotool key Return
    wait_for grep -q "filePath:  \"$TMP/fw.bin\"" "$TMP/app.log" ||
        fail "the file dialog did not return the file typed into it"
    wait_for dialog_gone || fail "the file dialog stayed"
    echo "a file dialog showed and returned $TMP/fw.bin"

    # A press on the background hands the move to the compositor, which then
    # moves the window with the pointer until the release.
    FROM_X=$X FROM_Y=$Y
    xdotool mousemove $((X + 330)) $((Y + 120)) mousedown 1
    wait_for nudged || fail "a press on the background did not start a move"
    MOVED_X=$X MOVED_Y=$Y
    xdotool mousemove_relative -- 40 30
    wait_for found_at $((MOVED_X + 40)) $((MOVED_Y + 30)) ||
        fail "the window did not follow the pointer by 40,30 from $MOVED_X,$MOVED_Y"
    xdotool mouseup 1
    echo "moved from $FROM_X,$FROM_Y to $X,$Y"

    # Without a notification area or taskbar, minimise leaves the window shown.
    # The pointer leaves the button at once, before a tooltip could cover the next click.
    xdotool mousemove $((X + 590)) $((Y + 20)) click 1 mousemove $((X + 330)) $((Y + 120))
    wait_for grep -q "Minimise refused: .*notification area" "$TMP/app.log" ||
        fail "the minimise button did not say why it leaves the window"
    found_at "$X" "$Y" || fail "minimise took the window away"
    echo "minimise left the window shown and said why"

    # Close asks first; Yes ends the program.
    xdotool mousemove $((X + 628)) $((Y + 20)) click 1
    wait_for dialog_shown || fail "the close button did not ask"
    # The compositor gives the box the keyboard a moment after it is drawn; on a busy
    # machine a key pressed at once can arrive before, so it is pressed again while
    # the box is still there.
    sleep 0.5
    xdotool key Return
    wait_for app_ended || { dialog_shown && xdotool key Return && wait_for app_ended; } ||
        fail "Yes to the close question did not end the program"
    wait "$APP" || fail "the program ended with status $?"
    echo "the close button asked, and Yes ended the program"
}

# Sets CX and CY to the centre of the window as the X server has it.
centre_of() { # WINDOW
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print "CX=" x + int(w / 2) " CY=" y + int(h / 2) }')"
}

# Clicks the window at DX,DY and checks that what opens, titled TITLE, is centred over
# the window within 20 pixels; KEY closes it.
opens_centred() { # DX DY TITLE KEY
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
    opened=$(timeout 10 xdotool search --sync --onlyvisible --name "$3" | head -n 1)
    [ -n "$opened" ] || fail "nothing titled $3 opened"
    centre_of "$WIN"
    MX=$CX MY=$CY
    centre_of "$opened"
    [ $((CX - MX)) -le 20 ] && [ $((MX - CX)) -le 20 ] && [ $((CY - MY)) -le 20 ] &&
        [ $((MY - CY)) -le 20 ] || fail "$3 opened centred at $CX,$CY, the window's centre is $MX,$MY"
    xdotool key "$4"
    wait_for sh -c "! xdotool search --onlyvisible --name '$3'" || fail "$3 did not close on $4"
}

case_dialogs() {
    start_x 1280x800
    APP_ARGS="--lang en"
    # As the program places them itself...
    start_app
    WIN=$(shown_window)
    place "$WIN"
    # The trace is off unless asked for: the window has probed for a device by now.
    ! grep -q "tarvenix.trace" "$TMP/app.log" || fail "trace lines without --trace"
    opens_centred 530 180 '^Warning$' Return
    stop_app
    # ...and under a window manager, which reparents the window into its frame.
    start_openbox
    start_app
    WIN=$(shown_window)
    place "$WIN"
    opens_centred 530 180 '^Warning$' Return
    opens_centred 159 182 '^select bin file$' Escape
    echo "a message box and the file dialog open centred over the window, with and without openbox"
}

# The main window, which the tray's icon (a window of the program's too) can precede.
main_window() {
    for w in $(xdotool search --onlyvisible --class tarvenix); do
        xwininfo -id "$w" | grep -q "Width: 656" && echo "$w" && return 0
    done
    return 1
}

# A window of the program's shown as a tool tip: the tray icon's balloon.
balloon_shown() {
    for w in $(xdotool search --onlyvisible --class tarvenix); do
        property "$w" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && return 0
    done
    return 1
}

case_tray() {
    start_x 1280x800
    start_openbox
    trayer --edge bottom >/dev/null 2>&1 &
    PIDS="$PIDS $!"
    wait_for xdotool search --onlyvisible --class '^trayer$' || fail "trayer did not start"
    APP_ARGS="--lang en --trace"
    # Every reply 3 ms late: the save takes seconds, time to hide the window.
    EMU_COMMAND="fault 1 delay ms=3 at=2"
    start_app connected
    WIN=$(wait_for main_window) || fail "the window did not show"
    place "$WIN"
    xdotool mousemove $((X + 331)) $((Y + 440)) click 1
    timeout 10 xdotool search --sync --onlyvisible --name '^Save data file$' >/dev/null ||
        fail "the save dialog did not open"
    xdotool type --delay 20 "$TMP/saved.bin"
    xdotool key Return
    wait_for grep -q "Enter thread run" "$TMP/app.log" || fail "the save did not start"
    xdotool mousemove $((X + 590)) $((Y + 20)) click 1
    wait_for sh -c "xwininfo -id $WIN | grep -q IsUnMapped" || fail "minimise did not hide the window"
    wait_for balloon_shown || fail "the tray icon did not tell the end of the save"
    wait_for xdotool search --onlyvisible --name '^Success$' || fail "the success box did not show"
    [ "$(wc -c <"$TMP/saved.bin")" -eq 524288 ] || fail "the save did not write the data area"
    echo "a save that ended while the window was hidden was told by the tray icon and its box"
}

case_options() {
    unset DISPLAY
    "$TARVENIX" --help >"$TMP/help" 2>&1 || fail "--help ended with $?: $(cat "$TMP/help")"
    for option in --lang --record --trace -platform -style; do
        grep -q -e "$option" "$TMP/help" || fail "--help does not name $option: $(cat "$TMP/help")"
    done
    "$TARVENIX" --version >"$TMP/version" 2>&1 || fail "--version ended with $?"
    grep -qE "^tarvenix [0-9]+\.[0-9]+\.[0-9]+" "$TMP/version" ||
        fail "--version said: $(cat "$TMP/version")"
    echo "with no display, --help and --version answered: $(cat "$TMP/version")"
}

"case_$CASE"
