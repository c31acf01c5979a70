# Sourced by the wine test scripts: the environment and the helpers they share.
# wine ignores QT_* variables from the Linux side; Qt options go on the command line.
export WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Inside the testbed: one wine server for the whole script, so that its device
# process (which sees the emulated node) is not restarted between commands.
# Ended at exit, and waited for, so the next test starts a server of its own
# inside its own testbed.
start_wine() {
    wineserver -p
    trap stop_wine EXIT
}
stop_wine() {
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w || true
}

# Runs tarvenix-cli.exe: "$OUT" and "$ERR" hold what it printed, "$STATUS" its
# exit code. wine adds the device about 0.4 s after it starts, so "no device"
# (exit 3) is retried for up to 10 s.
cli() {
    tries=0
    while :; do
        STATUS=0
        timeout 120 wine "$APP/tarvenix-cli.exe" "$@" >cli.out 2>cli.err || STATUS=$?
        [ "$STATUS" -eq 3 ] && [ "$tries" -lt 40 ] || break
        tries=$((tries + 1))
        sleep 0.25
    done
    OUT=$(tr -d '\r' <cli.out)
    ERR=$(tr -d '\r' <cli.err)
}
expect_status() {
    [ "$STATUS" -eq "$1" ] ||
        fail "tarvenix-cli exited $STATUS, not $1; out: $OUT; err: $ERR"
}
# The emulator's dump of its device: requests.bin, firmware.bin, data.bin.
dump_device() {
    rm -rf dump && mkdir dump
    "$EMUCTL" dump 1 "$(pwd)/dump" >/dev/null || fail "emulator dump failed"
}
