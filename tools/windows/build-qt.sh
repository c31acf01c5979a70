#!/bin/sh
# Builds a shared Qt 5.15 for 64-bit Windows from Debian's qtbase source package
# with mingw-w64 (posix threads): core, gui, widgets, the windows platform plugin
# and the windowsvista style. Built once per machine: the install is kept under
# ~/.cache/tarvenix, keyed by the source version, the compiler and the options.
# Prints the install folder on its last line.
set -eu
cache=${TARVENIX_CACHE:-$HOME/.cache/tarvenix}
cross=x86_64-w64-mingw32-
# The +dfsg repack has no wintab headers, which the windows platform plugin's
# tablet support includes; this tool reads no pen events.
options="-xplatform win32-g++ -device-option CROSS_COMPILE=$cross -shared -release
-opensource -confirm-license -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
-no-openssl -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -no-freetype -no-fontconfig -no-libjpeg
-no-sql-sqlite -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-xml
-no-feature-concurrent -no-feature-printer -no-feature-vulkan -no-feature-direct2d
-no-feature-tabletevent"
src_version=$(dpkg-query -W -f='${Version}' qtbase5-dev 2>/dev/null ||
    apt-cache policy qtbase5-dev | sed -n 's/ *Candidate: //p')
compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
key=$(printf '%s\n' "$src_version" "$compiler" "$options" | sha256sum | cut -c1-12)
prefix=$cache/qt-5.15.8-mingw-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
work=$cache/qt-work-$key
echo "Building Qt $src_version for Windows once, into $prefix" \
    "(15 to 25 minutes on 2 cores; log in $work/build.log)" >&2
rm -rf "$prefix" "$work"
mkdir -p "$work"
log=$work/build.log
src=$(tools_dir=$(dirname "$0") && "$tools_dir/debsrc.sh" \
    "qtbase-opensource-src=$src_version" "$work/source" 2>>"$log") || {
    echo "fetching qtbase's source failed; see $log" >&2
    exit 1
}
mkdir -p "$work/build"
cd "$work/build"
step() { echo "  Qt for Windows: $*" >&2; }
step "configure"
# configure builds qmake first, with these jobs.
MAKEFLAGS="-j$(nproc)"
export MAKEFLAGS
# shellcheck disable=SC2086
nice "$src/configure" $options -prefix "$prefix" >>"$log" 2>&1 || {
    echo "Qt's configure failed; see $log" >&2
    exit 1
}
step "compile ($(nproc) jobs)"
# A progress line per minute while make runs; the whole build is about 1,160 objects.
(
    while sleep 60; do
        echo "  Qt for Windows: compiling, $(find . -name '*.o' | wc -l) of about 1160 objects" >&2
    done
) &
ticker=$!
trap 'kill "$ticker" 2>/dev/null || true' EXIT
status=0
nice make >>"$log" 2>&1 || status=$?
kill "$ticker" 2>/dev/null || true
[ "$status" -eq 0 ] || {
    echo "building Qt failed; see the end of $log" >&2
    exit 1
}
step "install"
nice make install >>"$log" 2>&1 || {
    echo "installing Qt failed; see $log" >&2
    exit 1
}
# What the release archive says about this Qt: its licences, its source and options.
cp "$src/LICENSE.LGPL3" "$src/LICENSE.GPL3" "$prefix/"
cp "$src/debian/copyright" "$prefix/debian-copyright"
echo "$src_version" >"$prefix/source-version"
# shellcheck disable=SC2086 # one line, the options separated by blanks
echo "configure" $options >"$prefix/build-options"
# The build tree is about 1.1 GB; the install is all that is used.
cd "$cache"
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
