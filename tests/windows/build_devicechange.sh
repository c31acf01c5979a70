#!/bin/sh
# Builds device/devicechange_win.cpp and its test into a Windows console program.
# Any compiler warning fails the build.
set -eu
root=$1 gen=$2 exe=$3
cxx=x86_64-w64-mingw32-g++-posix
if ! command -v "$cxx" >/dev/null; then
    echo "$cxx not found: install g++-mingw-w64-x86-64-posix (tools/install-deps.sh)" >&2
    exit 1
fi
rm -f "$exe"
"$cxx" -std=c++17 -Wall -Wextra -Wpedantic -Werror -O1 -static \
    -I"$root" -I"$gen" \
    "$root/device/devicechange_win.cpp" "$root/tests/windows/test_devicechange.cpp" -o "$exe"
echo "built $exe"
