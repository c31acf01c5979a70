#!/bin/sh
# --extract rebuilds the firmware that replay.jsonl sent; a bad capture is refused, naming its line.
EMU=$1
CAPTURE=$2
fail() {
    echo "$*"
    exit 1
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
bytes() { head -c "$1" /dev/zero | tr '\0' "$2"; }
out=$("$EMU" --replay "$CAPTURE" --extract "$dir/fw.bin") || fail "extract failed: $out"
[ "$out" = "firmware 1024" ] || fail "extract said: $out"
{ bytes 256 '\021'; bytes 256 '\042'; bytes 512 '\063'; } >"$dir/want.bin"
cmp -s "$dir/fw.bin" "$dir/want.bin" || fail "the extracted firmware differs"
head -n 3 "$CAPTURE" >"$dir/bad.jsonl"
echo '{"event":"write","t":0.1,"data":"00 0g","result":1024}' >>"$dir/bad.jsonl"
"$EMU" --replay "$dir/bad.jsonl" -- true 2>"$dir/err" && fail "a bad capture was replayed"
grep -q "bad.jsonl:4: \"data\": bad hex chunk '0g'" "$dir/err" || fail "message: $(cat "$dir/err")"
exit 0
