#!/bin/sh
# Installs the Debian packages the project needs:
#   tools/install-deps.sh --run   what building and running the programs needs (tools/run.sh)
#   tools/install-deps.sh         that, and what the tests need (tools/test.sh, .ci/run): the
#                                 virtual displays and window managers the window is tested
#                                 under, wine, mingw-w64 and NSIS for the Windows programs,
#                                 clang for fuzzing, the packaging checks
# Quick and silent when everything is present already; otherwise apt shows its progress.
set -eu
RUN="cmake g++ make pkg-config qtbase5-dev libqt5svg5-dev qttools5-dev qttools5-dev-tools \
qttranslations5-l10n qtwayland5 libhidapi-dev libudev-dev libxcb1-dev \
umockdev libumockdev-dev libglib2.0-dev libjson-glib-dev"
TEST="xvfb xauth openbox trayer x11-utils xdotool fonts-wqy-microhei weston util-linux \
python3-dbusmock dbus desktop-file-utils appstream dpkg-dev lintian \
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine nsis \
zip unzip xz-utils perl clang libclang-rt-14-dev llvm-14"
case "${1:-}" in
--run) PACKAGES=$RUN ;;
"") PACKAGES="$RUN $TEST" ;;
*) echo "usage: $0 [--run]" >&2; exit 2 ;;
esac
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
