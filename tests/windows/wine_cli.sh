#!/bin/sh
# tarvenix-cli.exe under wine against the emulated pressure mouse.
#   wine_cli.sh EMU EMUCTL PREFIX APP WORKDIR CASE
# CASE: list | version | save | firmware | refusal | busy | many
set -eu
if [ "${1:-}" != --inside ]; then
    emu=$1
    export EMUCTL=$2 PREFIX=$3 APP=$4 WORK=$5 CASE=$6
    rm -rf "$WORK" && mkdir -p "$WORK"
    exec "$emu" --no-hangup -- sh "$0" --inside
fi
. "$(dirname "$0")/wine_common.sh"
cd "$WORK"
start_wine

case $CASE in
list)
    cli list --json
    expect_status 0
    printf '%s\n' "$OUT" | grep -q '"vendorId": *"1abe"' || fail "device 1abe not listed: $OUT"
    printf '%s\n' "$OUT" | grep -q '"productId": *"2202"' || fail "product 2202 not listed: $OUT"
    # wine's own virtual mouse and keyboard are HID devices too.
    printf '%s\n' "$OUT" | grep -qi '845e' && fail "wine's own devices listed: $OUT"
    [ "$(printf '%s\n' "$OUT" | grep -c '"row"')" -eq 1 ] || fail "not exactly one device: $OUT"
    ;;
version)
    cli version
    expect_status 0
    [ "$OUT" = "TVX-EMU 1.1.0" ] || fail "version is '$OUT'"
    ;;
save)
    cli --quiet save saved.bin
    expect_status 0
    dump_device
    cmp saved.bin dump/data.bin || fail "saved file differs from the device's data area"
    [ "$(stat -c %s saved.bin)" -eq 524288 ] || fail "saved file is not 524,288 bytes"
    ;;
firmware)
    head -c 65536 /dev/urandom >fw.bin
    cli --quiet firmware fw.bin
    expect_status 0
    dump_device
    cmp fw.bin dump/firmware.bin || fail "the device's firmware image differs from the file"
    ;;
refusal)
    head -c 1000 /dev/zero >odd.bin
    cli firmware odd.bin
    expect_status 5
    dump_device
    [ ! -s dump/firmware.bin ] || fail "a refused file reached the device"
    ;;
busy)
    # Each reply 5 ms late: the first save takes seconds, long enough to meet it.
    "$EMUCTL" fault 1 delay ms=5 >/dev/null
    cli version
    expect_status 0
    timeout 120 wine "$APP/tarvenix-cli.exe" --quiet save first.bin >first.out 2>&1 &
    first=$!
    for _ in $(seq 100); do
        "$EMUCTL" stats 1 | grep -q 'requests=[1-9][0-9]' && break
        sleep 0.1
    done
    cli save second.bin
    expect_status 4
    printf '%s\n' "$ERR" | grep -q 'device is busy' || fail "no busy message: $ERR"
    [ ! -e second.bin ] || fail "the refused save left a file"
    wait "$first" || fail "the first save failed: $(cat first.out)"
    dump_device
    cmp first.bin dump/data.bin || fail "the first save differs from the data area"
    ;;
many)
    # A second device; wine adds it a moment after it is plugged in.
    "$EMUCTL" add vid=1abe pid=2202 serial=EMU0002 >/dev/null
    for _ in $(seq 40); do
        cli list
        [ "$(printf '%s\n' "$OUT" | grep -c 'row 1')" -eq 2 ] && break
        sleep 0.25
    done
    head -c 65536 /dev/urandom >fw.bin
    cli --quiet firmware --all fw.bin
    expect_status 0
    [ "$(printf '%s\n' "$OUT" | grep -c ': ok: Download firmware done (128 blocks)')" -eq 2 ] ||
        fail "not two devices done: $OUT"
    for id in 1 2; do
        rm -rf dump && mkdir dump
        "$EMUCTL" dump $id "$(pwd)/dump" >/dev/null || fail "emulator dump failed"
        cmp fw.bin dump/firmware.bin || fail "device $id's firmware image differs from the file"
    done
    ;;
*)
    fail "unknown case $CASE"
    ;;
esac
echo "ok: $CASE"
