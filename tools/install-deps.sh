#!/bin/sh
# Installs the Debian packages that building, running and testing need.
# Quiet and quick when everything is present already.
set -eu
PACKAGES="cmake g++ make pkg-config qtbase5-dev libhidapi-dev libudev-dev umockdev \
libumockdev-dev libglib2.0-dev libjson-glib-dev xvfb xauth openbox trayer x11-utils xdotool fonts-wqy-microhei \
weston qtwayland5 libxcb1-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n \
util-linux python3-dbusmock dbus \
desktop-file-utils appstream dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
wine wine64 fonts-wine nsis zip unzip xz-utils perl clang libclang-rt-14-dev llvm-14"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
