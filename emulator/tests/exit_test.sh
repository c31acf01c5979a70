#!/bin/sh
# The emulator exits with its program's status, 128+signal when the program was killed, 1 for
# a bad device, 2 for bad usage.
EMU=$1
expect() {
    want=$1
    shift
    "$EMU" "$@" >/dev/null 2>&1
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "tarvenix-emu $*: status $got, expected $want"
        exit 1
    fi
}
expect 0 -- true
expect 3 -- sh -c 'exit 3'
expect 143 -- sh -c 'kill -TERM $$'
expect 1 --device vid=zzzz -- true
expect 2 --bogus -- true
expect 2 --no-device
