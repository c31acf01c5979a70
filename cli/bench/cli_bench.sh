#!/bin/sh
# Times tarvenix-cli's save and firmware download against the emulated device,
# interleaved so that a slow spell of the machine hits both alike, and prints
# the median and the spread of each.
#
#   cli/bench/cli_bench.sh [BUILD_DIR] [REPEATS]     (defaults: build, 7)
set -eu

build=${1:-build}
repeats=${2:-7}
cli=$build/cli/tarvenix-cli
emu=$build/emulator/tarvenix-emu
[ -x "$cli" ] && [ -x "$emu" ] || {
    echo "build $build first (tarvenix-cli and tarvenix-emu are needed)" >&2
    exit 2
}
[ "$repeats" -ge 5 ] || { echo "use at least 5 repeats" >&2; exit 2; }

# Outside the testbed: start the emulator with this script as its child.
if [ -z "${TARVENIX_EMU_CONTROL:-}" ]; then
    exec "$emu" -- "$0" "$build" "$repeats"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same size as the data area, so that both runs move 1024 blocks.
head -c 524288 /dev/urandom > "$work/fw.bin"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

timed() {
    start=$(now_ms)
    "$cli" --quiet "$@" > /dev/null
    echo $(($(now_ms) - start))
}

i=0
while [ "$i" -lt "$repeats" ]; do
    timed save --force "$work/area.bin" >> "$work/save.ms"
    timed firmware "$work/fw.bin" >> "$work/firmware.ms"
    i=$((i + 1))
done

printf '%-9s %7s %7s %7s %8s %10s   (%s runs each, 1024 blocks of 512 bytes)\n' \
    run median min max spread "KiB/s" "$repeats"
for run in save firmware; do
    sort -n "$work/$run.ms" | awk -v run="$run" '
        { t[NR] = $1 }
        END {
            m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
            printf "%-9s %5d ms %4d ms %4d ms %6.1f %% %10.0f\n",
                run, m, t[1], t[NR], 100 * (t[NR] - t[1]) / m, 512 * 1000 / m
        }'
done
