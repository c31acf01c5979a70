#!/bin/sh
# lintian on the Debian package and its -dbgsym package, and the AppStream and
# desktop-entry validators on the files in the package: any error or warning fails. The
# informational and pedantic notes are shown; packaging/README.md says why those left stay.
#   check_lint.sh DEB_DIR (where packaging_deb built the package and unpacked it)
set -u
dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in lintian appstreamcli desktop-file-validate; do
    command -v "$tool" >/dev/null || fail "$tool not found (tools/install-deps.sh installs it)"
done
deb=$(ls "$dir"/tarvenix-manager_*.deb) || fail "no package in $dir (test packaging_deb)"
ddeb=$(ls "$dir"/tarvenix-manager-dbgsym_*.ddeb) || fail "no -dbgsym package in $dir"
share=$dir/unpacked/usr/share

# Runs a checker and shows what it says; fails on its exit status, and on any error or
# warning it reports (desktop-file-validate exits 0 after a warning).
check() {
    out=$("$@" 2>&1)
    status=$?
    printf '== %s\n%s\n' "$*" "$out"
    [ "$status" -eq 0 ] || fail "$1 exited $status"
    if printf '%s\n' "$out" | grep -Eq '^[EW]: |(^|: )(error|warning): '; then
        fail "$1 reported errors or warnings"
    fi
}
check lintian --display-info --pedantic --tag-display-limit 0 --fail-on error,warning "$deb" "$ddeb"
check appstreamcli validate --pedantic --no-net "$share/metainfo/io.tarvenix.Manager.metainfo.xml"
check desktop-file-validate "$share/applications/io.tarvenix.Manager.desktop"
echo "lint ok: $deb"
