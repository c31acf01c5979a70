#!/bin/sh
# Runs inside the emulated pressure mouse's testbed, with a supported device (hidraw0) and
# a device of another product (hidraw1). The package's postinst and postrm reload udev's
# rules and apply them again to the supported device's node only. udevadm is a stand-in
# that writes down its arguments.
#   check_maintainer_scripts.sh POSTINST POSTRM WORK_DIR
set -eu
postinst=$1 postrm=$2 work=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$work/calls" >"$work/bin/udevadm"
chmod +x "$work/bin/udevadm"

expected="control --reload-rules
trigger --action=change /sys/class/hidraw/hidraw0"
for run in "$postinst configure" "$postrm remove"; do
    rm -f "$work/calls"
    # $run: the script and its argument, as dpkg calls it.
    PATH="$work/bin:$PATH" sh $run || fail "$run exited $?"
    calls=$(cat "$work/calls")
    [ "$calls" = "$expected" ] || fail "$run called: $calls"
done
# Steps that change no rule do nothing.
rm -f "$work/calls"
PATH="$work/bin:$PATH" sh "$postinst" abort-upgrade 1.0 || fail "postinst abort-upgrade failed"
[ ! -e "$work/calls" ] || fail "postinst abort-upgrade called: $(cat "$work/calls")"
echo "maintainer scripts ok"
