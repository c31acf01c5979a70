#!/bin/sh
# `cmake --install` into a staging folder (DESTDIR) puts every file where it belongs.
set -eu
cmake=$1 src=$2 build=$3 stage=$4 bindir=$5 datadir=$6 mandir=$7 udevdir=$8 has_cli=$9
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$stage" "$stage.log"
DESTDIR="$stage" "$cmake" --install "$build" >"$stage.log" 2>&1 ||
    { cat "$stage.log"; fail "cmake --install failed"; }

# Only the programs a user runs go to bin: no test, emulator or generator tools.
expected="tarvenix"
[ "$has_cli" = 1 ] && expected="tarvenix tarvenix-cli"
[ "$(ls "$stage$bindir" | tr '\n' ' ')" = "$expected " ] ||
    fail "$bindir holds '$(ls "$stage$bindir" | tr '\n' ' ')', expected '$expected'"
for program in $expected; do
    [ -x "$stage$bindir/$program" ] || fail "$bindir/$program is not executable"
done

cmp -s "$src/app/70-tarvenix.rules" "$stage$udevdir/70-tarvenix.rules" ||
    fail "udev rule missing or changed in $udevdir"
for file in applications/tarvenix-manager.desktop metainfo/io.tarvenix.Manager.metainfo.xml; do
    [ -s "$stage$datadir/$file" ] || fail "$datadir/$file missing"
done

# Every icon is a PNG of its folder's size.
for size in 16 32 48 64 128 256; do
    icon="$stage$datadir/icons/hicolor/${size}x${size}/apps/tarvenix-manager.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(od -An -tx1 -N8 "$icon" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
    dims=$(od -An -tu1 -j16 -N8 "$icon" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$dims" = "${size}x${size}" ] || fail "$icon is $dims"
done

if [ "$has_cli" = 1 ]; then
    page=$(ls "$stage$mandir/man1/tarvenix-cli.1" "$stage$mandir/man1/tarvenix-cli.1.gz" 2>/dev/null |
        head -n1) || true
    [ -n "$page" ] || fail "no man page tarvenix-cli.1 in $mandir/man1"
    case $page in
        *.gz) zcat "$page" ;;
        *) cat "$page" ;;
    esac | grep -q '^\.TH' || fail "$page has no .TH line"
    echo "man page: $page"
else
    echo "tarvenix-cli is not part of this build: no man page checked"
fi
echo "install ok in $stage"
