#!/bin/sh
# Serve form: start the emulator in the background, take the environment it prints, run a
# hidapi program from "another shell", then stop it through the control channel.
set -u
EMU=$1
SELFTEST=$2
CTL=$3
dir=$(mktemp -d)
"$EMU" --serve >"$dir/env" 2>"$dir/log" &
pid=$!
tries=0
until grep -q '^export ' "$dir/env"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        cat "$dir/log"
        kill "$pid"
        exit 1
    fi
    sleep 0.05
done
. "$dir/env"
"$SELFTEST" version || exit 1
"$CTL" quit >/dev/null || exit 1
wait "$pid" || exit 1
# Nothing is left behind: neither the socket nor the testbed.
if [ -e "$TARVENIX_EMU_CONTROL" ] || [ -d "$UMOCKDEV_DIR" ]; then
    echo "leftovers: $TARVENIX_EMU_CONTROL $UMOCKDEV_DIR"
    exit 1
fi
rm -rf "$dir"
