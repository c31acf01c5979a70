#!/bin/sh
# The newest release named in the AppStream data is the project's version, the
# modaliases name the supported products, the languages are the shipped ones, and the
# build filled in every place of the template.
set -eu
metainfo=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "newest release is '$newest', the project is $version"
for id in 1ABEp2202 6A3Ap2202 ABCDp2203 ABCDp2109 ABCDp2204; do
    grep -q "<modalias>usb:v${id}d\*</modalias>" "$metainfo" || fail "no modalias usb:v${id}d*"
done
for lang in de zh_CN; do
    grep -q "<lang>$lang</lang>" "$metainfo" || fail "language $lang is not listed"
    for element in name summary p li; do
        grep -q "<$element xml:lang=\"$lang\">" "$metainfo" || fail "no <$element> in $lang"
    done
done
grep -q '<launchable type="desktop-id">io.tarvenix.Manager.desktop</launchable>' "$metainfo" ||
    fail "launchable is not io.tarvenix.Manager.desktop"
grep -Eq '<update_contact>[^<@]+@[^<@]+</update_contact>' "$metainfo" ||
    fail "no mail address in <update_contact>"
! grep -n '@[A-Z_]*@' "$metainfo" || fail "places left unfilled"
echo "metainfo ok: release $newest"
