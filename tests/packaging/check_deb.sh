#!/bin/sh
# Builds the Debian package with cpack from the finished build and reads it back.
#   check_deb.sh CPACK BUILD_DIR OUT_DIR VERSION HAS_CLI MAINTAINER_SCRIPTS_DIR
set -eu
cpack=$1 build=$2 out=$3 version=$4 has_cli=$5 scripts=$6
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
./usr/share/icons/hicolor/scalable/apps/tarvenix-manager.svg ./usr/share/man/man1/tarvenix.1.gz
./usr/share/doc/tarvenix-manager/copyright ./usr/share/doc/tarvenix-manager/changelog.gz"
for size in 16 32 48 64 128 256; do
    expected="$expected ./usr/share/icons/hicolor/${size}x${size}/apps/tarvenix-manager.png"
done
[ "$has_cli" = 1 ] &&
    expected="$expected ./usr/bin/tarvenix-cli ./usr/share/man/man1/tarvenix-cli.1.gz"
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

# The maintainer scripts: executable (dpkg-deb -I marks them with *), the ones the build
# wrote from the device table (test packaging_maintainer_scripts runs them).
info=$(dpkg-deb -I "$deb")
for script in postinst postrm; do
    printf '%s\n' "$info" | grep -Eq "\* +$script " || fail "$script missing or not executable"
    dpkg-deb -I "$deb" "$script" | cmp -s - "$scripts/$script" ||
        fail "$script differs from $scripts/$script"
done

# The changelog's newest entry is this version.
unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
newest=$(zcat "$unpacked/usr/share/doc/tarvenix-manager/changelog.gz" |
    dpkg-parsechangelog -l- -SVersion)
[ "$newest" = "$version" ] || fail "the changelog's newest entry is $newest, not $version"

# The programs are stripped; the -dbgsym package holds a debug file for each.
ddeb="$out/tarvenix-manager-dbgsym_${version}_$(dpkg --print-architecture).ddeb"
[ -f "$ddeb" ] || { ls "$out"; fail "no $(basename "$ddeb")"; }
debug_files=$(dpkg-deb -c "$ddeb" | grep -c '\./usr/lib/debug/\.build-id/.*\.debug$') || true
programs=0
for program in "$unpacked"/usr/bin/*; do
    file -b "$program" | grep -q ', stripped' || fail "$program is not stripped"
    programs=$((programs + 1))
done
[ "$debug_files" -eq "$programs" ] ||
    fail "$debug_files debug files in $(basename "$ddeb") for $programs programs"
printf '%s\n' "$info"
echo "package ok: $deb"
