#!/bin/sh
# Prints the transfer figures: tools/run_transfer_bench.sh [BUILD_DIR] [REPEATS]
# The trace lines are on, as in the program, and go to a log file.
set -eu
BUILD=${1:-build}
"$BUILD/emulator/tarvenix-emu" -- "$BUILD/bench/transfer_bench" "${2:-7}" 2>/tmp/transfer_bench.log
