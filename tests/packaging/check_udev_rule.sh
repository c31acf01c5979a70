#!/bin/sh
# The udev rule gives the seat user every supported product's hidraw nodes, and every
# product whose interface names the window follows.
set -eu
rules=$1 names=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

# uaccess is acted on by 73-seat-late.rules, so the tag must be set before it.
name=$(basename "$rules")
[ "$(printf '%s\n73-seat-late.rules\n' "$name" | LC_ALL=C sort | head -n1)" = "$name" ] ||
    fail "$name sorts after 73-seat-late.rules: the uaccess tag would come too late"

rule_lines=$(grep -v '^[[:space:]]*#' "$rules" | grep -v '^[[:space:]]*$') ||
    fail "no rules in $rules"
# Each line: a hidraw node, a lower-case vendor and product (as sysfs spells them),
# the uaccess tag.
printf '%s\n' "$rule_lines" | while IFS= read -r line; do
    for part in 'KERNEL=="hidraw\*"' 'TAG\+="uaccess"' 'ATTRS\{idVendor\}=="[0-9a-f]{4}"' \
        'ATTRS\{idProduct\}=="[0-9a-f]{4}"'; do
        printf '%s\n' "$line" | grep -Eq "(^|[ ,])$part(,|\$| )" ||
            fail "no $(printf '%s' "$part" | tr -d '\\') in: $line"
    done
done

# The supported products, and every product in the interface name list.
from_events=$(grep -Eo 'VID_[0-9A-Fa-f]{4}&PID_[0-9A-Fa-f]{4}' "$names" |
    sed 's/VID_\(....\)&PID_\(....\)/\1:\2/' | tr 'A-F' 'a-f')
[ -n "$from_events" ] || fail "no products found in $names"
for id in 1abe:2202 6a3a:2202 abcd:2203 abcd:2109 abcd:2204 abcd:2103 $from_events; do
    vendor=${id%:*} product=${id#*:}
    printf '%s\n' "$rule_lines" | grep -F "ATTRS{idVendor}==\"$vendor\"" |
        grep -Fq "ATTRS{idProduct}==\"$product\"" || fail "no rule for $vendor:$product"
done
echo "udev rule ok: $(printf '%s\n' "$rule_lines" | wc -l) products"
