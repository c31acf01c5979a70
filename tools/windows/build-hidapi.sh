#!/bin/sh
# Builds hidapi.dll for 64-bit Windows with mingw-w64 from Debian's hidapi source
# package (the version of libhidapi-dev here), compiled through
# windows/hidapi_wine.c, which adds the stand-ins used only under wine.
# Kept under ~/.cache/tarvenix, keyed by the source version, the compiler and
# that file. Prints the install folder (bin, lib, include, lib/pkgconfig).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cache=${TARVENIX_CACHE:-$HOME/.cache/tarvenix}
cc=x86_64-w64-mingw32-gcc
version=$(dpkg-query -W -f='${Version}' libhidapi-dev 2>/dev/null ||
    apt-cache policy libhidapi-dev | sed -n 's/ *Candidate: //p')
compiler=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix)
key=$( (printf '%s\n' "$version" "$compiler" && cat "$root/windows/hidapi_wine.c" "$0") |
    sha256sum | cut -c1-12)
upstream=${version%%-*}
prefix=$cache/hidapi-$upstream-mingw-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
echo "Building hidapi $version for Windows into $prefix" >&2
work=$cache/hidapi-work-$key
rm -rf "$prefix" "$work"
src=$("$root/tools/windows/debsrc.sh" "hidapi=$version" "$work" 2>"$work.log") || {
    echo "fetching hidapi's source failed; see $work.log" >&2
    exit 1
}
mkdir -p "$prefix/bin" "$prefix/lib/pkgconfig" "$prefix/include/hidapi" "$prefix/licenses"
# -Wno-array-bounds: GCC 12 misreads hidapi's error-buffer helpers.
nice "$cc" -std=gnu11 -O2 -Wall -Wextra -Wno-array-bounds -shared \
    -I"$src/hidapi" -I"$src/windows" "$root/windows/hidapi_wine.c" \
    -o "$prefix/bin/hidapi.dll" -Wl,--out-implib,"$prefix/lib/libhidapi.dll.a" -lsetupapi
x86_64-w64-mingw32-strip "$prefix/bin/hidapi.dll"
cp "$src/hidapi/hidapi.h" "$src/windows/hidapi_winapi.h" "$prefix/include/hidapi/"
cp "$src/LICENSE.txt" "$src/LICENSE-bsd.txt" "$src/LICENSE-orig.txt" "$src/LICENSE-gpl3.txt" \
    "$prefix/licenses/"
cat > "$prefix/lib/pkgconfig/hidapi.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: hidapi
Description: hidapi for Windows (mingw-w64)
Version: $upstream
Libs: -L\${libdir} -lhidapi
Cflags: -I\${includedir}/hidapi
PC
rm -rf "$work" "$work.log"
touch "$prefix/.complete"
echo "$prefix"
