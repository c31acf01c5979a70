#!/bin/sh
# Runs a Windows console program under wine in the tests' prefix and passes on
# its exit code; the prefix's server is waited for, so the next test starts clean.
#   wine_run.sh PREFIX EXE [ARGS...]
set -u
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
status=0
timeout 120 wine "$@" || status=$?
timeout 30 wineserver -w
exit "$status"
