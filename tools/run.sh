#!/bin/sh
# Builds the tool and starts it: on a real device when one is plugged in, otherwise on
# the emulated pressure mouse (TARVENIX_EMULATED=1: on the emulated one in any case).
# Installs only what building and running need; tools/test.sh installs the rest.
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the window needs a" >&2
    echo "desktop session. Run this from one, or on a virtual display:" >&2
    echo "    sudo apt-get install xvfb xauth && xvfb-run -a tools/run.sh" >&2
    exit 1
fi
tools/install-deps.sh --run
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target tarvenix tarvenix-cli tarvenix-emu

# The program knows which devices it supports: list exits 0 when one is present, 3 when none.
if [ "${TARVENIX_EMULATED:-}" != 1 ]; then
    status=0
    found=$("$BUILD/cli/tarvenix-cli" list 2>&1) || status=$?
    case $status in
    0)
        node=$(printf '%s\n' "$found" | grep -o '/dev/hidraw[0-9]*' | head -n1)
        if [ -n "$node" ] && { [ ! -r "$node" ] || [ ! -w "$node" ]; }; then
            echo "You have no access to $node yet. Install the udev rule, then unplug the" >&2
            echo "mouse and plug it in again (packaging/README.md):" >&2
            echo "    sudo install -m 644 $BUILD/70-tarvenix.rules /usr/lib/udev/rules.d/" >&2
            echo "    sudo udevadm control --reload-rules" >&2
        fi
        exec "$BUILD/tarvenix" "$@"
        ;;
    3) echo "No supported device is plugged in: starting on the emulated pressure mouse." >&2 ;;
    *)
        printf '%s\n' "$found" >&2
        echo "tarvenix-cli list exited $status: starting on the emulated pressure mouse." >&2
        ;;
    esac
fi
exec "$BUILD/emulator/tarvenix-emu" -- "$BUILD/tarvenix" "$@"
