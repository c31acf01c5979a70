#!/bin/sh
# Builds the Debian package with cpack from the finished build and reads it back.
set -eu
cpack=$1 build=$2 out=$3 version=$4 has_cli=$5
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null ||
        fail "$tool not found: install dpkg-dev (tools/install-deps.sh)"
done
rm -rf "$out" && mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "cpack failed"; }
deb="$out/tarvenix-manager_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$out"; fail "no $(basename "$deb")"; }

listing=$(dpkg-deb -c "$deb")
paths=$(printf '%s\n' "$listing" | awk '{ print $6 }')
# Everything under /usr (the udev rule too), nothing from the build machine's prefix.
outside=$(printf '%s\n' "$paths" | grep -Ev '^\./$|^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
printf '%s\n' "$paths" | grep -q '^\./usr/local/' && fail "files under /usr/local"
printf '%s\n' "$listing" | awk '$2 != "root/root"' | grep -q . && fail "files not owned by root"

expected="./usr/bin/tarvenix ./usr/lib/udev/rules.d/70-tarvenix.rules
./usr/share/applications/io.tarvenix.Manager.desktop
./usr/share/metainfo/io.tarvenix.Manager.metainfo.xml
./usr/share/icons/hicolor/scalable/apps/tarvenix-manager.svg ./usr/share/man/man1/tarvenix.1
./usr/share/doc/tarvenix-manager/copyright"
for size in 16 32 48 64 128 256; do
    expected="$expected ./usr/share/icons/hicolor/${size}x${size}/apps/tarvenix-manager.png"
done
[ "$has_cli" = 1 ] &&
    expected="$expected ./usr/bin/tarvenix-cli ./usr/share/man/man1/tarvenix-cli.1"
for path in $expected; do
    printf '%s\n' "$paths" | grep -qxF "$path" || fail "$path not in the package"
done
printf '%s\n' "$listing" | grep -q '^-rwxr-xr-x .* \./usr/bin/tarvenix$' ||
    fail "/usr/bin/tarvenix is not mode 755"

[ "$(dpkg-deb -f "$deb" Package)" = tarvenix-manager ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt5widgets5 libhidapi-hidraw0 libudev1; do
    printf '%s\n' "$depends" | tr ',' '\n' | grep -Eq "^ *$library( |\$)" ||
        fail "Depends has no $library: $depends"
done

# The maintainer scripts: present, executable (dpkg-deb -I marks them with *), udev reloaded.
info=$(dpkg-deb -I "$deb")
for script in postinst postrm; do
    printf '%s\n' "$info" | grep -Eq "\* +$script " || fail "$script missing or not executable"
    dpkg-deb -I "$deb" "$script" | sh -n || fail "$script is not valid sh"
done
postinst=$(dpkg-deb -I "$deb" postinst)
for command in 'udevadm control --reload-rules' 'udevadm trigger --subsystem-match=hidraw'; do
    printf '%s\n' "$postinst" | grep -qF "$command" || fail "postinst does not run $command"
done
printf '%s\n' "$info"
echo "package ok: $deb"
