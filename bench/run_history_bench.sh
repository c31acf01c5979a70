#!/bin/bash
# Prints what reading the history costs when it is large:
#   bench/run_history_bench.sh [BUILD_DIR] [MIB]
# A history of MIB MiB (112 by default: one left by a version that never rotated it) of
# one copied record, then `tarvenix-cli history --limit 1`, `--limit 50` and `history` (all
# of it), each with its wall time and peak memory. The last records are read from the
# file's end, so the first two do not grow with the file.
set -eu
BUILD=${1:-build}
MIB=${2:-112}
CLI="$(cd "$BUILD/cli" && pwd)/tarvenix-cli"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/state/tarvenix"
line='{"backup":null,"device":{"id":"1abe:2202","manufacturer":"Tarvenix","path":"/dev/hidraw0","product":"Pressure Mouse","productId":"2202","serial":"EMU0001","vendorId":"1abe","version":"TVX-EMU 1.1.0","versionAfter":null,"versionBefore":"TVX-EMU 1.1.0"},"durationMs":812,"event":"end","failure":null,"file":{"path":"/tmp/a.bin","sha256":"be9e82448cbc35cf0ac7d974a6c5c1eff9b167f7afc573864ba1909993c9ac9c","size":524288},"id":"2bb130ac-c53f-48ed-ae86-acc94fe42004","kind":"save","result":"ok","schema":3,"time":"2024-05-18T10:15:02.123Z","verified":null}'
yes "$line" | head -c $((MIB * 1024 * 1024)) | sed '$d' >"$WORK/state/tarvenix/history.jsonl"
echo >&2 "history of $(($(stat -c %s "$WORK/state/tarvenix/history.jsonl") / 1048576)) MiB"
for limit in "--limit 1" "--limit 50" ""; do
    # shellcheck disable=SC2086
    XDG_STATE_HOME="$WORK/state" /usr/bin/time -f "history $limit: %e s, %M KB peak" \
        "$CLI" history $limit >/dev/null
done
