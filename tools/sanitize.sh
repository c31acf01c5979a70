#!/bin/sh
# Runs the tests that exercise the device, the transfers, the worker threads, the
# file checks, the command-line tool (its tests run the sanitized program) and the
# fault campaign in a sanitizer build:
#   tools/sanitize.sh            AddressSanitizer + UndefinedBehaviorSanitizer (CI runs this)
#   tools/sanitize.sh thread     ThreadSanitizer
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
KIND=${1:-address}
case "$KIND" in
address) FLAGS=address,undefined BUILD=build-asan ;;
thread) FLAGS=thread BUILD=build-tsan ;;
*) echo "usage: $0 [address|thread]" >&2; exit 2 ;;
esac
SUPP="$PWD/tools/sanitizers"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DTARVENIX_SANITIZE="$FLAGS" >/dev/null
TESTS="test_discovery test_blockloop test_loop test_window test_transfers test_hotplug test_closing
test_checks test_cli_commands test_cli_transfers test_cli_safety test_cli_recording test_cli_many
fault_campaign"
cmake --build "$BUILD" -j"$(nproc)" --target tarvenix-emu $TESTS
# umockdev's preload library comes before the sanitizer runtime, which GCC's
# AddressSanitizer refuses unless told not to check the order.
export ASAN_OPTIONS="verify_asan_link_order=0:detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$SUPP/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="suppressions=$SUPP/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
cd "$BUILD"
ctest --output-on-failure -R "^($(echo $TESTS | tr ' ' '|'))\$" "$@"
