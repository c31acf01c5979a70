#!/bin/sh
# Builds the tool and starts it: on a real device when one is plugged in,
# otherwise on the emulated pressure mouse.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target tarvenix tarvenix-emu
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Run this from a desktop session, or start one with: xvfb-run -a tools/run.sh" >&2
    exit 1
fi
SUPPORTED='HID_ID=.*:0000(1ABE|6A3A):00002202|HID_ID=.*:0000ABCD:0000(2203|2109|2204)'
if [ "${TARVENIX_EMULATED:-}" != 1 ] &&
    cat /sys/class/hidraw/*/device/uevent 2>/dev/null | grep -qiE "$SUPPORTED"; then
    exec "$BUILD/tarvenix" "$@"
fi
echo "No real HID device found: starting on the emulated pressure mouse." >&2
exec "$BUILD/emulator/tarvenix-emu" -- "$BUILD/tarvenix" "$@"
