#!/bin/sh
# Builds the libFuzzer targets in fuzz/ and runs each for a bounded time:
#   tools/fuzz.sh [SECONDS_PER_TARGET]      (default 20)
# Installs nothing: clang and libclang-rt-14-dev come from tools/install-deps.sh.
# New corpus entries and crash inputs go to a work directory under $TMPDIR, never
# into the repository; it is removed after a clean run and kept after a crash.
# Exits non-zero when any target crashed or broke an invariant.
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-20}
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}

cmake -S fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$BUILD" -j"$(nproc)" >/dev/null

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvenix-fuzz.XXXXXX")
status=0
# A reply is 1024 bytes plus the control values behind it.
for entry in reply:1100 events:512 files:512; do
    target=${entry%%:*}
    dir="$WORK/$target"
    mkdir -p "$dir/corpus"
    set -- -max_total_time="$SECONDS_EACH" -max_len="${entry#*:}" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$dir/"
    [ -f "fuzz/dict/$target.dict" ] && set -- "$@" -dict="fuzz/dict/$target.dict"
    result=ok
    "$BUILD/fuzz_$target" "$@" "$dir/corpus" "fuzz/corpus/$target" >"$dir/log" 2>&1 ||
        result=CRASH
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
    printf '%-12s %-5s %10s executions in %s s\n' "fuzz_$target" "$result" "${runs:-?}" \
        "$SECONDS_EACH"
    if [ "$result" = CRASH ]; then
        status=1
        grep -E 'invariant broken|ERROR:|runtime error|SUMMARY|Test unit written|^0x|Base64' \
            "$dir/log" | sed 's/^/    /'
        echo "    log: $dir/log; rerun an input with: $BUILD/fuzz_$target FILE"
    fi
done
if [ "$status" -eq 0 ]; then
    rm -rf "$WORK"
else
    echo "crash inputs and logs kept in $WORK"
fi
exit "$status"
