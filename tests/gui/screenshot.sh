#!/bin/sh
# The real program in a real window: Xvfb, the openbox window manager and the
# emulated device. Checks the screenshot and keeps it for a person to look at.
#   screenshot.sh TARVENIX EMULATOR SCREENCHECK OUTDIR
set -eu
TARVENIX=$1 EMU=$2 CHECK=$3 OUT=$4
mkdir -p "$OUT"
D=$((90 + $$ % 500))
while [ -e "/tmp/.X$D-lock" ]; do D=$((D + 1)); done
Xvfb ":$D" -screen 0 1280x800x24 -noreset >/dev/null 2>&1 &
XPID=$!
trap 'kill $APP $WM $XPID 2>/dev/null || true' EXIT
export DISPLAY=":$D"
unset QT_QPA_PLATFORM
for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
WM=$!
sleep 0.5
# In English, whatever the machine's language or a language saved from the window's menu;
# with the trace, which is off unless asked for.
"$EMU" --device "vid=1abe,pid=2202,version=TVX-EMU 1.1.0" -- "$TARVENIX" --lang en --trace \
    >"$OUT/trace.log" 2>&1 &
APP=$!
WIN=$(xdotool search --sync --onlyvisible --class tarvenix | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WIN")"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$WIDTH" = 656 ] && [ "$HEIGHT" = 544 ]
"$CHECK" grab "$OUT/window.png"
"$CHECK" connected "$OUT/window.png" "$X" "$Y"
grep -q "Version: TVX-EMU 1.1.0" "$OUT/trace.log"
# Run without a firmware file opens a warning, which must show above the window.
xdotool mousemove $((X + 530)) $((Y + 180)) click 1
BOX=$(xdotool search --sync --onlyvisible --name '^Warning$' | head -n 1)
sleep 0.5
BX=0 BY=0
eval "$(xdotool getwindowgeometry --shell "$BOX" | sed 's/^/B/')"
"$CHECK" grab "$OUT/warning.png"
"$CHECK" above "$OUT/warning.png" "$BX" "$BY" "$BWIDTH" "$BHEIGHT"
xdotool key Return
echo "screenshots in $OUT"
