#!/bin/sh
# Fetches and unpacks one Debian source package with Debian's patches applied,
# through a deb-src list of its own: the system's apt configuration is only read.
# Usage: debsrc.sh PACKAGE[=VERSION] DESTDIR
# Leaves the unpacked tree in DESTDIR/src and prints its path.
set -eu
pkg=$1 dest=$2
apt_dir=${TARVENIX_CACHE:-$HOME/.cache/tarvenix}/apt-src
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"
# The system's deb entries, as deb-src entries.
: > "$apt_dir/sources/debian.sources"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    grep -q '^URIs:.*debian' "$f" || continue
    sed 's/^Types:.*/Types: deb-src/' "$f" >> "$apt_dir/sources/debian.sources"
    echo >> "$apt_dir/sources/debian.sources"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list \
        > "$apt_dir/sources/debian-list.list"
fi
apt_opts="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$apt_dir/sources \
-o Dir::State::Lists=$apt_dir/lists -o APT::Sandbox::User=root"
# shellcheck disable=SC2086
apt-get $apt_opts -qq update >&2
rm -rf "$dest" && mkdir -p "$dest"
cd "$dest"
# shellcheck disable=SC2086
apt-get $apt_opts -qq --download-only source "$pkg" >&2
dsc=$(ls ./*.dsc)
# dpkg-source applies Debian's patches, the security fixes among them.
dpkg-source -x "$dsc" src >&2
echo "$dest/src"
