#!/bin/sh
# Start-up figures of the real window:   bench/startup.sh [BUILD_DIR] [RUNS]
#  - milliseconds from exec to the first painted frame (startup_probe, which takes
#    main's steps), RUNS runs each with no device, inside the emulator with no
#    device, and with the emulated device, after one uncounted warm-up run; each
#    run followed by one of a bare Qt widgets window (startup_peer) started the
#    same way, and the ratio of the two (the window's frame over the peer's);
#  - the resident memory at that frame;
#  - the real tarvenix's CPU time and wake-ups over ten idle seconds;
#  - with CALLGRIND=1, one run under callgrind and its biggest start-up parts.
# Runs under Xvfb (started here when there is no display) with a session bus
# (started here when there is none), on the xcb platform, as a desktop has them.
# The Xvfb started here does not reset when its last client leaves, as a desktop's
# server, which always has other clients, never does: a reset takes 150 ms and
# more, and each run would wait for the one the run before it caused.
set -eu
BUILD=$(realpath "${1:-build}")
RUNS=${2:-7}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
PROBE=$BUILD/bench/startup_probe
PEER=$BUILD/bench/startup_peer
EMU=$BUILD/emulator/tarvenix-emu
APP=$BUILD/tarvenix
for f in "$PROBE" "$PEER" "$EMU" "$APP"; do
    [ -x "$f" ] || { echo "missing $f: build the project and the bench targets" >&2; exit 2; }
done
OUT=$(mktemp -d "${TMPDIR:-/tmp}/tarvenix-startup.XXXXXX")
trap 'rm -rf "$OUT"' EXIT

# Median, smallest and largest of one key over the runs in a file.
summary() {
    awk -v key="$2" '
        { for (i = 1; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) v[n++] = kv[2] } }
        END {
            if (n == 0) { printf "%s ?", key; exit }
            for (i = 0; i < n; ++i) for (j = i + 1; j < n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            printf "%s %s (%s-%s)", key, v[int(n / 2)], v[0], v[n - 1]
        }' "$1"
}

# One configuration: a warm-up, then RUNS timed starts of the probe, each followed by one
# of the peer, so that both see the machine as it is at that moment.
frames() {
    label=$1
    shift
    "$@" "$PROBE" >/dev/null 2>&1 || true
    "$@" "$PEER" >/dev/null 2>&1 || true
    : >"$OUT/runs"
    : >"$OUT/peer"
    : >"$OUT/ratios"
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        window=$("$@" "$PROBE" 2>/dev/null | grep '^main=' || true)
        peer=$("$@" "$PEER" 2>/dev/null | grep '^app=' || true)
        i=$((i + 1))
        [ -n "$window" ] && [ -n "$peer" ] || continue
        echo "$window" >>"$OUT/runs"
        echo "$peer" >>"$OUT/peer"
        printf '%s\n%s\n' "$window" "$peer" | awk '
            { for (i = 1; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == "frame") f[n++] = kv[2] } }
            END { if (n == 2 && f[1] > 0) printf "ratio=%.3f\n", f[0] / f[1] }' >>"$OUT/ratios"
    done
    printf '%-22s %s  %s  %s  %s  %s  %s\n' "$label" "$(summary "$OUT/runs" frame)" \
        "$(summary "$OUT/runs" paint)" "$(summary "$OUT/runs" app)" \
        "$(summary "$OUT/runs" constructor)" "$(summary "$OUT/runs" resident_kb)" \
        "[$(sed -n 's/.*device=//p' "$OUT/runs" | sort | uniq -c | tr -s ' ' | tr '\n' ' ')]"
    printf '%-22s %s  %s  %s  %s\n' "  bare Qt peer" "$(summary "$OUT/peer" frame)" \
        "$(summary "$OUT/peer" paint)" "$(summary "$OUT/peer" app)" \
        "$(summary "$OUT/peer" resident_kb)"
    printf '%-22s %s\n' "  window / peer" "$(summary "$OUT/ratios" ratio)"
}

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() {
    cat /proc/"$1"/task/*/status | awk -v key="$2" '$1 == key ":" { s += $2 } END { print s }'
}

# The real program started by the given command; its process is the command's
# own or the emulator's child.
idle() {
    label=$1
    shift
    "$@" "$APP" >/dev/null 2>&1 &
    starter=$!
    pid=""
    for _ in $(seq 50); do
        for p in $starter $(awk -v pp="$starter" '$4 == pp { print $1 }' /proc/[0-9]*/stat 2>/dev/null); do
            [ "$(readlink "/proc/$p/exe" 2>/dev/null)" = "$APP" ] && pid=$p
        done
        [ -n "$pid" ] && break
        sleep 0.1
    done
    if [ -z "$pid" ]; then
        echo "$label: tarvenix did not start"
        kill "$starter" 2>/dev/null || true
        return
    fi
    sleep 3
    hz=$(getconf CLK_TCK)
    t0=$(ticks "$pid") v0=$(switches "$pid" voluntary_ctxt_switches)
    n0=$(switches "$pid" nonvoluntary_ctxt_switches)
    sleep 10
    t1=$(ticks "$pid") v1=$(switches "$pid" voluntary_ctxt_switches)
    n1=$(switches "$pid" nonvoluntary_ctxt_switches)
    rss=$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status")
    threads=$(awk '$1 == "Threads:" { print $2 }' "/proc/$pid/status")
    printf '%-22s cpu %d ms  wake-ups %d (+%d involuntary)  threads %s  resident %s kB\n' \
        "$label" $(((t1 - t0) * 1000 / hz)) $((v1 - v0)) $((n1 - n0)) "$threads" "$rss"
    kill "$starter"
    wait "$starter" 2>/dev/null || true
}

echo "First frame, ms from exec: median (min-max) of $RUNS runs, warm caches, $(nproc) cores,"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg), LANG=${LANG:-}"
echo "  frame = first paint flushed; paint = its start; app = QApplication built;"
echo "  constructor = MainWindow's constructor alone; the peer is a bare Qt widgets"
echo "  window; window / peer = the ratio of the two frames, run by run"
frames "no device" env
frames "emulator, no device" "$EMU" --no-device --
frames "emulated device" "$EMU" --
echo
echo "Cold device parts of the constructor (TARVENIX_PROBE_SPLIT), one run each:"
printf '%-22s %s\n' "no device" "$(TARVENIX_PROBE_SPLIT=1 "$PROBE" 2>/dev/null | grep '^split')"
printf '%-22s %s\n' "emulated device" \
    "$(TARVENIX_PROBE_SPLIT=1 "$EMU" -- "$PROBE" 2>/dev/null | grep '^split')"
echo
echo "Idle, real tarvenix, ten seconds after three of settling:"
idle "no device" env
idle "emulated device" "$EMU" --

if [ "${CALLGRIND:-0}" = 1 ] && command -v valgrind >/dev/null; then
    echo
    echo "Instructions of one start-up under callgrind (no device), inclusive, main's share:"
    TARVENIX_PROBE_EXEC_NS=0 valgrind --tool=callgrind --callgrind-out-file="$OUT/cg" \
        "$PROBE" >/dev/null 2>&1 || true
    callgrind_annotate --inclusive=yes --threshold=100 "$OUT/cg" 2>/dev/null |
        grep -E ' \[|PROGRAM TOTALS' | grep -vE '^ *[0-9,]+ +\([0-9.]+%\) +/' |
        grep -E 'TOTALS|:main |QApplication::QApplication|setUpApplication|makeWindow|readButtonPictures|MainWindow::(MainWindow|buildWidgets|initHidDevice|createTrayIcon|startDeviceEvents)|QWidget::show\(\)|QXcbWindow::create\(\)|dlopen@|QPixmap::load|QWidget::setStyleSheet|FcInitLoadConfigAndFonts|QWidgetRepaintManager::sync\(' |
        head -30
fi
