#!/bin/bash
# Prints the figures of tarvenix-cli on several devices at once:
#   bench/run_many_bench.sh [BUILD_DIR] [REPEATS]
# For 1, 4 and 8 emulated devices, each answering every request 8 ms late as a slow real
# device does, `firmware --all` of a 64 KiB image: the wall time as a ratio to one
# device's, and the program's CPU time (user + system). The counts take turns within each
# repeat, so that the machine's load falls on all of them alike; medians are printed.
set -eu
BUILD=${1:-build}
REPEATS=${2:-5}
COUNTS="1 4 8"
EMU="$BUILD/emulator/tarvenix-emu"
CLI="$(cd "$BUILD/cli" && pwd)/tarvenix-cli"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
head -c 65536 /dev/urandom >"$WORK/fw.bin"

# One timed run on N devices: prints "wall cpu" in seconds.
run() {
    local n=$1 args=() k
    for ((k = 1; k <= n; k++)); do
        args+=(--device "serial=BENCH$k" --command "fault $k delay ms=8")
    done
    "$EMU" --no-device "${args[@]}" -- bash -c '
        TIMEFORMAT="%R %U %S"
        { time "$0" firmware --all --quiet "$1" >"$2" 2>&1; } 2>&1 | awk "{ print \$1, \$2 + \$3 }"
        grep -q "^$3 devices: $3 succeeded" "$2" || { echo "the run failed:" >&2; cat "$2" >&2; exit 1; }
    ' "$CLI" "$WORK/fw.bin" "$WORK/out.txt" "$n"
}

for ((r = 1; r <= REPEATS; r++)); do
    for n in $COUNTS; do
        run "$n" >>"$WORK/times.$n"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

one=$(cut -d' ' -f1 <"$WORK/times.1" | median)
echo "firmware --all, 64 KiB (128 blocks), reply delay 8 ms, median of $REPEATS runs"
printf '%-8s %10s %8s %10s %22s\n' devices "wall (s)" ratio "CPU (s)" "wall range (s)"
for n in $COUNTS; do
    wall=$(cut -d' ' -f1 <"$WORK/times.$n" | median)
    cpu=$(cut -d' ' -f2 <"$WORK/times.$n" | median)
    range=$(cut -d' ' -f1 <"$WORK/times.$n" | sort -n | sed -n '1p;$p' | paste -sd' ' | awk '{ print $1 " to " $2 }')
    printf '%-8s %10.3f %8.2f %10.3f %22s\n' "$n" "$wall" "$(echo "$wall / $one" | bc -l)" "$cpu" "$range"
done
