#!/bin/sh
# Reads the resources back out of the Windows program, Tarvenix.exe, and checks
# the version record and the icon against the project and app/tarvenix.ico.
#   check_resources.sh APP_DIR OUT MAJOR MINOR PATCH TARVENIX_EXE
set -eu
app=$1 out=$2 major=$3 minor=$4 patch=$5 exe=$6
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v x86_64-w64-mingw32-windres >/dev/null ||
    fail "x86_64-w64-mingw32-windres not found: install binutils-mingw-w64-x86-64"
rm -rf "$out" && mkdir -p "$out" && cd "$out"
x86_64-w64-mingw32-windres -i "$exe" -o back.rc

grep -q "FILEVERSION $major, $minor, $patch, 0" back.rc ||
    fail "FILEVERSION is not $major,$minor,$patch,0 (the project version)"
grep -q "PRODUCTVERSION $major, $minor, $patch, 0" back.rc ||
    fail "PRODUCTVERSION is not $major,$minor,$patch,0"
grep -q "VALUE \"FileVersion\", \"$major.$minor\"" back.rc ||
    fail "FileVersion text is not $major.$minor"
grep -q 'VALUE "OriginalFilename", "Tarvenix.exe"' back.rc ||
    fail "OriginalFilename is not Tarvenix.exe"
strings -el "$exe" | grep -qx 'Tarvenix.exe' || fail "no UTF-16 Tarvenix.exe in the program"
strings -el -n 3 "$exe" | grep -qx "$major.$minor" ||
    fail "no UTF-16 $major.$minor in the program"

# The icon: one 32x32 image of the size the .ico's directory gives.
grep -q 'RT_ICON' back.rc || fail "no icon image resource"
ico_bytes=$(od -An -tu4 -j14 -N4 "$app/tarvenix.ico" | tr -d ' ')
group=$(grep 'Element no 1' back.rc) || fail "no icon group resource"
printf '%s\n' "$group" | grep -qF '"\040\040' || fail "icon is not 32x32: $group"
size=$(printf '%s\n' "$group" | sed -n 's/.*, \(0x[0-9a-f]*\)L, .*/\1/p')
[ -n "$size" ] && [ $((size)) -eq "$ico_bytes" ] ||
    fail "icon image size differs from tarvenix.ico ($ico_bytes bytes): $group"
echo "resources ok: version $major.$minor.$patch, Tarvenix.exe, 32x32 icon of $ico_bytes bytes"
