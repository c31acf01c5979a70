#!/bin/sh
# Prints the transfer figures: bench/run_transfer_bench.sh [BUILD_DIR] [REPEATS], each the
# median of REPEATS interleaved runs (at least and by default 11).
# The trace lines are on, as in the program, and go to a log file.
set -eu
BUILD=${1:-build}
"$BUILD/emulator/tarvenix-emu" -- "$BUILD/bench/transfer_bench" "${2:-11}" 2>/tmp/transfer_bench.log
