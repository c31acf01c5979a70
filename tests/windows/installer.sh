#!/bin/sh
# The NSIS installer under wine, silently, as the user: the archive's files
# with their sums, the Start-menu entry and the uninstall record; then the
# uninstaller removes all three.
#   installer.sh PREFIX SETUP_EXE
set -eu
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
setup=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarvenixManager'
users=$WINEPREFIX/drive_c/users
timeout 120 wine "$setup" /S || fail "the installer exited $?"
timeout 60 wineserver -w
dir=$(find "$users" -type d -path '*/AppData/Local/Programs/Tarvenix Manager' | head -n 1)
[ -n "$dir" ] || fail "nothing installed under AppData/Local/Programs"
(cd "$dir" && sha256sum --quiet -c SHA256SUMS) || fail "installed files differ from the archive's"
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller"
menu=$(find "$users" -name 'Tarvenix Manager.lnk' -path '*Start Menu*' | head -n 1)
[ -n "$menu" ] || fail "no Start-menu entry"
timeout 60 wine reg query "$key" /v DisplayName | grep -q "Tarvenix Manager" ||
    fail "no uninstall record"
# The uninstaller copies itself away and runs from there; the server's end is its end.
timeout 120 wine "$dir/Uninstall.exe" /S
timeout 120 wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(find "$dir" | head)"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
timeout 60 wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall record is left"
timeout 60 wineserver -w
echo "installer ok: installed into $dir and removed"
