#!/bin/sh
# Builds the Windows programs (Tarvenix.exe, tarvenix-cli.exe) on Debian 12 and
# packs them with the DLLs they need into tarvenix-VERSION-win64.zip.
# Usage: tools/build-windows.sh [BUILD_DIR]      (default: build-windows)
# The first run on a machine builds Qt for Windows (15 to 25 minutes on 2 cores)
# and hidapi; both are kept under ~/.cache/tarvenix for later runs.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-build-windows}
tools/install-deps.sh
qt=$(tools/windows/build-qt.sh)
hidapi=$(tools/windows/build-hidapi.sh)
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/windows/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt;$hidapi" -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build "$out" -j"$(nproc)"
tools/windows/make-archive.sh "$out" "$qt" "$hidapi"
