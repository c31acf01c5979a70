#!/bin/sh
# Unpacks the Windows release archive into the wine prefix, as a user would on
# Windows, and checks that it carries exactly what it lists: every file in
# SHA256SUMS with the right sum and nothing else, and every DLL that a program
# or DLL in it imports either shipped beside it or part of Windows.
#   install_archive.sh ZIP PREFIX
set -eu
zip=$1 prefix=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$zip" ] || fail "no archive $zip (tools/build-windows.sh makes it)"
name=$(basename "$zip" .zip)
dest=$prefix/drive_c/$name
rm -rf "$dest"
unzip -q "$zip" -d "$prefix/drive_c"
cd "$dest"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match the files"
listed=$(sed 's/^[0-9a-f]*  //' SHA256SUMS | LC_ALL=C sort)
present=$(find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort)
[ "$listed" = "$present" ] ||
    fail "files and SHA256SUMS differ: $(printf '%s\n%s\n' "$listed" "$present" | sort | uniq -u)"
for f in Tarvenix.exe tarvenix-cli.exe README.txt LICENSE.txt licenses/Qt-LGPL-3.0.txt \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    [ -s "$f" ] || fail "$f missing"
done
system=$(grep -v '^#' "$root/tools/windows/system-dlls.txt")
shipped=$(find . -maxdepth 1 -iname '*.dll' | sed 's|^\./||' | tr '[:upper:]' '[:lower:]')
for f in $(find . -iname '*.exe' -o -iname '*.dll'); do
    for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        lower=$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')
        case " $(echo $shipped) " in *" $lower "*) continue ;; esac
        case "$lower" in api-ms-win-*) continue ;; esac
        case " $(echo $system) " in *" ${lower%.dll} "*) continue ;; esac
        fail "$f imports $dll, which is neither shipped nor part of Windows"
    done
done
echo "archive ok: $(echo "$present" | wc -l) files, unpacked in $dest"
