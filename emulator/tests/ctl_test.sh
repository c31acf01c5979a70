#!/bin/sh
# tarvenix-emuctl inside the emulator: replies, exit codes, argument joining, its help.
CTL=$1
fail() {
    echo "$*"
    exit 1
}
out=$("$CTL" stats 1) || fail "stats failed: $out"
case "$out" in
"ok requests=0 bad=0 early=0 fwsize=0 plugged=1 node=/dev/hidraw0"*) ;;
*) fail "stats: $out" ;;
esac
"$CTL" unplug 9 >/dev/null && fail "unplug of a missing device succeeded"
"$CTL" fault 1 delay >/dev/null && fail "delay without ms succeeded"
"$CTL" frobnicate >/dev/null && fail "unknown command succeeded"
out=$("$CTL" add product=Two Words, serial=S 2) || fail "add failed: $out"
[ "$out" = "ok 2" ] || fail "add: $out"
"$CTL" list | grep -q "; id=2 node=/dev/hidraw1 plugged=1" || fail "list: $("$CTL" list)"
"$CTL" unplug 2 >/dev/null || fail "unplug 2"
"$CTL" unplug 2 >/dev/null && fail "second unplug succeeded"
"$CTL" stats 2 | grep -q "plugged=0 node=/dev/hidraw1" || fail "stats 2: $("$CTL" stats 2)"
# Help needs no emulator: the commands on stdout, exit 0.
for arg in help --help; do
    out=$(env -u TARVENIX_EMU_CONTROL "$CTL" "$arg") || fail "$arg exited $?"
    printf '%s\n' "$out" | grep -q "^  fault ID KIND" || fail "$arg: $out"
done
exit 0
