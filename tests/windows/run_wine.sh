#!/bin/sh
# Runs a Windows console test program under wine in a prefix of its own.
# Exits 77 (skipped) when wine itself cannot start a program here, so that
# this is told apart from failing checks.
set -u
exe=$1 prefix=$2
wine=""
for candidate in wine wine64 /usr/lib/wine/wine64; do
    if command -v "$candidate" >/dev/null; then
        wine=$candidate
        break
    fi
done
if [ -z "$wine" ]; then
    echo "wine not found: install wine and wine64 (tools/install-deps.sh)" >&2
    exit 1
fi
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
out=$("$wine" "$exe" 2>&1)
status=$?
# The server lingers a few seconds after the last program; stop it now.
wineserver -k 2>/dev/null
printf '%s\n' "$out"
if ! printf '%s\n' "$out" | grep -q '^devicechange checks running'; then
    echo "SKIPPED: wine could not start a Windows program here (status $status);" \
        "only the mingw compile was checked." >&2
    exit 77
fi
exit "$status"
