#!/bin/sh
# Runs a validator; fails on its exit status and on any error or warning it prints
# (desktop-file-validate exits 0 after a warning). Hints and pedantic notes pass.
set -u
if ! command -v "$1" >/dev/null; then
    echo "$1 not found (tools/install-deps.sh installs it)" >&2
    exit 1
fi
out=$("$@" 2>&1)
status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || exit "$status"
if printf '%s\n' "$out" | grep -Eiq '(^|[: ])(error|warning)s?:|^[EW]: '; then
    echo "FAIL: $1 reported errors or warnings" >&2
    exit 1
fi
