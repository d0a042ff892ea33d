#!/usr/bin/env bash
# Builds the Debian package with cpack in a temporary folder (the build tree
# stays clean) and checks it from outside: its name, that it holds exactly the
# files an install puts in place (under /usr), a launcher that runs
# /usr/bin/viltron, and the dependencies dpkg-shlibdeps found for the libraries
# the program links.
#
# Usage: debian_package.sh BUILD_FOLDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/install_layout.sh"
layout_test debian_package "$@"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

expected_name="viltron_$(field Version)_$(dpkg --print-architecture).deb"
[ "$(basename "$deb")" = "$expected_name" ] || fail "package named $(basename "$deb"), expected $expected_name"
[ "$(field Package)" = viltron ] && [ "$(field Section)" = games ] && [ -n "$(field Maintainer)" ] ||
  fail "control fields: $(dpkg-deb -f "$deb" Package Section Maintainer | tr '\n' ' ')"

# Files only: the listing's folders are implied by them.
diff <(install_layout | sed 's|^|usr/|') \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./||' | LC_ALL=C sort) >&2 ||
  fail "the package's files differ from an install's (< install, > package)"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/applications/$viltron_app_id.desktop" |
  grep -qx 'Exec=/usr/bin/viltron' || fail "the packaged launcher does not run /usr/bin/viltron"

depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libc6 \
               qt6-qpa-plugins fonts-liberation; do
  grep -qx "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

echo "debian_package: $(basename "$deb"), Depends: $depends"
