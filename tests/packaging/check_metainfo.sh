#!/bin/sh
# The newest release named in the AppStream data is the project's version, the
# modaliases name the supported products, and the languages are the shipped ones.
set -eu
metainfo=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "newest release is '$newest', the project is $version"
for id in 1ABEp2202 6A3Ap2202 ABCDp2203 ABCDp2109 ABCDp2204; do
    grep -q "<modalias>usb:v$id\*</modalias>" "$metainfo" || fail "no modalias usb:v$id*"
done
for lang in de zh_CN; do
    grep -q "<lang>$lang</lang>" "$metainfo" || fail "language $lang is not listed"
done
grep -q '<launchable type="desktop-id">tarvenix-manager.desktop</launchable>' "$metainfo" ||
    fail "launchable is not tarvenix-manager.desktop"
echo "metainfo ok: release $newest"
