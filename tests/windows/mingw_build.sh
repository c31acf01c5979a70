#!/bin/sh
# Builds a small Windows console program with mingw. Any compiler warning
# fails the build.
#   mingw_build.sh EXE [COMPILER_OPTION...] -- SOURCE... [LINKER_OPTION...]
set -eu
exe=$1
shift
options=""
while [ "$1" != -- ]; do
    options="$options $1"
    shift
done
shift
cxx=x86_64-w64-mingw32-g++-posix
if ! command -v "$cxx" >/dev/null; then
    echo "$cxx not found: install g++-mingw-w64-x86-64-posix (tools/install-deps.sh)" >&2
    exit 1
fi
rm -f "$exe"
# shellcheck disable=SC2086
"$cxx" -std=c++17 -Wall -Wextra -Wpedantic -Werror -O1 $options "$@" -o "$exe"
echo "built $exe"
