#!/bin/sh
# `cmake --install` into a staging folder (DESTDIR) puts every file where it belongs.
set -eu
cmake=$1 src=$2 build=$3 stage=$4 bindir=$5 datadir=$6 mandir=$7 has_cli=$8 version=$9
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$stage" "$stage.log"
DESTDIR="$stage" "$cmake" --install "$build" >"$stage.log" 2>&1 ||
    { cat "$stage.log"; fail "cmake --install failed"; }

# Only the programs a user runs go to bin: no test, emulator or generator tools.
expected="tarvenix"
[ "$has_cli" = 1 ] && expected="tarvenix tarvenix-cli"
programs=$(ls "$stage$bindir" | tr '\n' ' ')
[ "$programs" = "$expected " ] || fail "$bindir holds '$programs', expected '$expected'"
for program in $expected; do
    [ -x "$stage$bindir/$program" ] || fail "$bindir/$program is not executable"
done

# The rule goes where udev reads rules, whatever the prefix.
rule=""
for dir in /usr/lib/udev/rules.d /lib/udev/rules.d /etc/udev/rules.d; do
    [ -f "$stage$dir/70-tarvenix.rules" ] && rule="$stage$dir/70-tarvenix.rules"
done
[ -n "$rule" ] || fail "70-tarvenix.rules is in no folder udev reads rules from"
cmp -s "$build/70-tarvenix.rules" "$rule" || fail "$rule differs from the rule the build wrote"
for file in applications/io.tarvenix.Manager.desktop metainfo/io.tarvenix.Manager.metainfo.xml \
    icons/hicolor/scalable/apps/tarvenix-manager.svg doc/tarvenix-manager/copyright \
    doc/tarvenix-manager/changelog.gz; do
    [ -s "$stage$datadir/$file" ] || fail "$datadir/$file missing"
done
grep -q '<svg' "$stage$datadir/icons/hicolor/scalable/apps/tarvenix-manager.svg" ||
    fail "the scalable icon is not SVG"

# Every icon is a PNG of its folder's size.
for size in 16 32 48 64 128 256; do
    icon="$stage$datadir/icons/hicolor/${size}x${size}/apps/tarvenix-manager.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(od -An -tx1 -N8 "$icon" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
    # Width and height: big-endian words at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{
        print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" \
            $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
    [ "$dims" = "${size}x${size}" ] || fail "$icon is $dims"
done

# The manual pages, compressed, dated by the build and naming the version.
pages=tarvenix
[ "$has_cli" = 1 ] && pages="tarvenix tarvenix-cli"
for name in $pages; do
    page="$stage$mandir/man1/$name.1.gz"
    [ -f "$page" ] || fail "no man page $name.1.gz in $mandir/man1"
    th=$(zcat "$page" | grep '^\.TH')
    printf '%s\n' "$th" | grep -Eq " 1 \"[0-9]{4}-[0-9]{2}-[0-9]{2}\" \"Tarvenix Manager $version\"" ||
        fail "$name.1.gz: the .TH line has no date or not version $version: $th"
done
echo "install ok in $stage"
