#!/bin/sh
# The soak: 100 whole transfers and 200 unplug/plug cycles in one process inside
# the emulator, then its outcome counts and memory, descriptor and thread figures.
#   bench/run_soak.sh [BUILD_DIR] [TRANSFERS] [CYCLES]
# The trace lines are on, as in the program, and go to a log file. Exits non-zero
# when an outcome was wrong or memory, descriptors or threads grew.
set -eu
BUILD=${1:-build}
if [ ! -x "$BUILD/bench/soak" ]; then
    echo "no $BUILD/bench/soak: build the soak target first (cmake --build $BUILD --target soak)" >&2
    exit 2
fi
LOG=${TMPDIR:-/tmp}/tarvenix_soak.log
echo "trace lines: $LOG"
"$BUILD/emulator/tarvenix-emu" --no-device -- "$BUILD/bench/soak" "${2:-100}" "${3:-200}" 2>"$LOG"
