#!/bin/sh
# Builds everything and runs every test through CTest, the Windows programs
# under wine among them. Those are built by tools/build-windows.sh, which on a
# machine's first run also builds Qt for Windows (15 to 25 minutes on 2 cores,
# then kept in ~/.cache/tarvenix). TARVENIX_SKIP_WINDOWS=1 leaves that part out.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
BUILD=${BUILD_DIR:-build}
WINDOWS_BUILD=""
if [ "${TARVENIX_SKIP_WINDOWS:-0}" != 1 ]; then
    case $BUILD in
    /*) WINDOWS_BUILD=$BUILD-windows ;;
    *) WINDOWS_BUILD=$(pwd)/$BUILD-windows ;;
    esac
    tools/build-windows.sh "$WINDOWS_BUILD"
fi
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVENIX_WINDOWS_BUILD="$WINDOWS_BUILD" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
cd "$BUILD"
# The desktop and wine tests drive real window managers and wine on a machine that may be
# busy; a test that fails is run once more, and CTest's output still shows the failure.
ctest --output-on-failure --repeat until-pass:2 -j"$(nproc)" "$@"
