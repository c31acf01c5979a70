#!/bin/sh
# Creates the wine prefix that the Windows tests share, once per run of the suite:
# - wine's HID bus with its hidraw backend (it starts that only with SDL off);
# - a virtual desktop, set in the registry so that `wine PROGRAM` keeps the exit code;
# - wine's own fonts, which Debian's wine does not load from /usr/share/wine/fonts.
set -eu
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
command -v wine >/dev/null || { echo "wine not found (tools/install-deps.sh)" >&2; exit 1; }
rm -rf "$prefix"
started=$(date +%s)
timeout 300 wine wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
reg() { timeout 60 wine reg add "$@" /f >/dev/null 2>&1 || { echo "reg add $1 failed" >&2; exit 1; }; }
reg 'HKLM\System\CurrentControlSet\Services\winebus' /v 'Enable SDL' /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Tarvenix
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Tarvenix /d 1024x768
fonts=/usr/share/wine/fonts
ls "$fonts"/*.ttf >/dev/null 2>&1 || { echo "no fonts in $fonts (package fonts-wine)" >&2; exit 1; }
cp "$fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
# The registry reaches the disk when the server ends; a program started while
# it lives would also join it outside the emulator's testbed.
timeout 60 wineserver -w
echo "wine prefix ready in $(($(date +%s) - started)) s: $prefix"
