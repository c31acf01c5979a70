#!/bin/sh
# Runs a Windows console test program under wine in a prefix of its own.
# Exits 77 (skipped) when wine itself cannot start a program here, so that
# this is told apart from failing checks.
set -u
exe=$1 prefix=$2
skip() {
    echo "SKIPPED: $*; only the mingw compile was checked." >&2
    exit 77
}
# Debian's wine wrapper picks wine64 for a 64-bit program; elsewhere wine64 may be all there is.
wine=$(command -v wine || command -v wine64) ||
    skip "wine not found (tools/install-deps.sh installs wine and wine64)"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
out=$("$wine" "$exe" 2>&1)
status=$?
# The server lingers a few seconds after the last program; stop it now.
wineserver -k 2>/dev/null
printf '%s\n' "$out"
printf '%s\n' "$out" | grep -q '^devicechange checks running' ||
    skip "wine could not start a Windows program here (status $status)"
exit "$status"
