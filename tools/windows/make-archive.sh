#!/bin/sh
# Makes tarvenix-VERSION-win64.zip from a Windows build: the two programs, the
# DLLs they import that are not part of Windows (found by reading the imports
# with objdump, then the imports of those, and so on), Qt's platform and style
# plugins and its translations, a README, the programs' licence (GPL-2.0-or-later), the
# third-party licence texts and SHA256SUMS. Then the same folder as an installer, tarvenix-VERSION-win64-setup.exe
# (NSIS).
# Usage: make-archive.sh BUILD_DIR QT_PREFIX HIDAPI_PREFIX
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd) qt=$2 hidapi=$3
objdump=x86_64-w64-mingw32-objdump
fail() { echo "make-archive: $*" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
name=tarvenix-$version-win64
stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses" "$stage/translations"

gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search="$qt/bin $hidapi/bin $gcc_dir /usr/x86_64-w64-mingw32/lib"
system_dlls=$(grep -v '^#' "$root/tools/windows/system-dlls.txt")
is_system() {
    lower=$(printf '%s' "$1" | tr '[:upper:]' '[:lower:]')
    lower=${lower%.dll}
    case "$lower" in api-ms-win-*) return 0 ;; esac
    for known in $system_dlls; do
        [ "$known" = "$lower" ] && return 0
    done
    return 1
}
imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }

cp "$build/Tarvenix.exe" "$build/cli/tarvenix-cli.exe" "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
# Qt's own words (the buttons of a message box) in the languages the programs speak,
# from Debian's qttranslations5-l10n, for the same Qt version.
for lang in de zh_CN; do
    cp "/usr/share/qt5/translations/qtbase_$lang.qm" "$stage/translations/"
done
# Follows imports until every one is either shipped or part of Windows.
pending=$(find "$stage" -name '*.exe' -o -name '*.dll')
while [ -n "$pending" ]; do
    next=""
    for file in $pending; do
        for dll in $(imports "$file"); do
            is_system "$dll" && continue
            [ -e "$stage/$dll" ] && continue
            found=""
            for dir in $search; do
                [ -e "$dir/$dll" ] && found=$dir/$dll && break
            done
            [ -n "$found" ] || fail "$(basename "$file") imports $dll, which is neither built here nor part of Windows"
            cp "$found" "$stage/$dll"
            next="$next $stage/$dll"
        done
    done
    pending=$next
done
find "$stage" -name '*.exe' -o -name '*.dll' | while read -r f; do
    x86_64-w64-mingw32-strip --strip-unneeded "$f"
done

sed "s/@VERSION@/$version/g; s/@QT_SOURCE@/$(cat "$qt/source-version")/g" \
    "$root/windows/README.txt" > "$stage/README.txt"
cp "$root/LICENSE" "$stage/LICENSE.txt"
lic=$stage/licenses
cp "$qt/LICENSE.LGPL3" "$lic/Qt-LGPL-3.0.txt"
cp "$qt/LICENSE.GPL3" "$lic/Qt-GPL-3.0.txt"
cp "$qt/debian-copyright" "$lic/Qt-copyright.txt"
cp "$qt/build-options" "$lic/Qt-build-options.txt"
for f in "$hidapi"/licenses/*; do cp "$f" "$lic/hidapi-$(basename "$f")"; done
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$lic/gcc-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$lic/mingw-w64-winpthreads-copyright.txt"
# Windows' own editors read CRLF text best.
for f in "$stage/README.txt" "$stage/LICENSE.txt" "$lic"/*; do sed -i 's/\r*$/\r/' "$f"; done

(cd "$stage" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort |
    xargs sha256sum > SHA256SUMS)
(cd "$build" && rm -f "$name.zip" && zip -qrX "$name.zip" "$name")

# The uninstaller removes exactly the files the installer put in place.
(cd "$stage" && find . -type f | LC_ALL=C sort | sed 's|^\./||; s|/|\\|g' |
    sed 's|.*|  Delete "$INSTDIR\\&"|') >"$build/installer-files.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/app/tarvenix.ico" \
    -DFILELIST="$build/installer-files.nsh" -DOUTFILE="$build/$name-setup.exe" \
    "$root/windows/installer.nsi" >&2 || fail "makensis failed"
echo "$build/$name.zip"
