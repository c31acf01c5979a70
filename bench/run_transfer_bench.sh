#!/bin/sh
# Prints the transfer figures: bench/run_transfer_bench.sh [BUILD_DIR] [REPEATS] [goals], each
# the median of REPEATS interleaved runs (at least and by default 11); with "goals", only the
# two figures that have a goal (the block loop's save, the command-line tool's whole save).
# The trace lines are on, as in the program, and go to a log file.
set -eu
BUILD=${1:-build}
"$BUILD/emulator/tarvenix-emu" -- "$BUILD/bench/transfer_bench" "${2:-11}" ${3:+"$3"} \
    2>/tmp/transfer_bench.log
